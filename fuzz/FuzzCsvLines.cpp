// The CSV line conversion of day files: single, combined, as a noise and a vibration file.
#include "FuzzSupport.h"

#include "common/Errors.h"
#include "export/Csv.h"
#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray first, second;
    splitTwoFiles(fuzzBytes(data, size), first, second);
    QStringList lac, lvc;
    try {
        lac = moravel::platform::decodeLines(first);
        lvc = moravel::platform::decodeLines(second);
    } catch (const moravel::DataError&) {
        return 0;
    }
    try {
        const QByteArray csv = moravel::csv::summaryCsv(lac, moravel::csv::Headings::Noise);
        FUZZ_ASSERT(csv.isEmpty() || csv.endsWith("\r\n"));
    } catch (const moravel::DataError&) {
    }
    try {
        const QByteArray csv = moravel::csv::combinedCsv(lac, lvc);
        FUZZ_ASSERT(csv.isEmpty() || csv.endsWith("\r\n"));
    } catch (const moravel::DataError&) {
    }
    return 0;
}
