// The text reader: any bytes, any byte-order mark.
#include "FuzzSupport.h"

#include "common/Errors.h"
#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const QStringList lines = moravel::platform::decodeLines(fuzzBytes(data, size));
        qsizetype characters = 0;
        for (const QString& line : lines) {
            FUZZ_ASSERT(!line.contains(u'\r') && !line.contains(u'\n'));
            characters += line.size();
        }
        // Never more characters than bytes (code page 932 and UTF-8 take at least one byte each).
        FUZZ_ASSERT(characters <= static_cast<qsizetype>(size));
        // What the writer writes, the reader reads back, line for line.
        const QByteArray written =
            moravel::platform::encodeCp932(lines.join(QStringLiteral("\r\n")) + "\r\n");
        FUZZ_ASSERT(moravel::platform::decodeLines(written).size() == lines.size() || lines.isEmpty());
    } catch (const moravel::DataError&) {
    }
    return 0;
}
