// The PDF reader of verify and the record it takes from the metadata: any bytes give a document or
// a DataError, never a crash, a hang or a name outside the card accepted.
#include "FuzzSupport.h"

#include "common/Errors.h"
#include "report/PdfReading.h"
#include "report/ReportPdf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    moravel::report::PdfDocument doc;
    try {
        doc = moravel::report::readPdf(fuzzBytes(data, size));
    } catch (const moravel::DataError&) {
        return 0;
    }
    for (const QByteArray& page : doc.pages)
        FUZZ_ASSERT(page.size() <= moravel::report::MaxPdfBytes);
    if (!doc.metadata)
        return 0;
    const auto record = moravel::report::readProvenance(*doc.metadata);
    if (record)
        for (const auto& f : record->files)
            if (f.name.contains(u'/'))
                FUZZ_ASSERT(!moravel::report::isPlainCardName(f.name));
    return 0;
}
