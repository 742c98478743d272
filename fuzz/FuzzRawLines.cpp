// The raw-line expansion: a raw level file to CSV.
#include "FuzzSupport.h"

#include "common/DateText.h"
#include "common/Errors.h"
#include "common/Fields.h"
#include "export/Csv.h"
#include "platform/TextFile.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The conversion from bytes fails where the conversion from lines fails.
    auto bytesFail = [&] {
        try {
            moravel::csv::rawCsvFromBytes(fuzzBytes(data, size));
        } catch (const moravel::DataError&) {
            return true;
        }
        return false;
    };
    QStringList lines;
    try {
        lines = moravel::platform::decodeLines(fuzzBytes(data, size));
    } catch (const moravel::DataError&) {
        FUZZ_ASSERT(bytesFail());
        return 0;
    }
    // The samples of every data line whose date and time can be read.
    qsizetype samples = 0;
    moravel::FieldSplitter fields;
    for (const QString& line : lines) {
        if (!moravel::csv::isDataLine(line))
            continue;
        const int count = fields.split(line);
        moravel::Stamp stamp;
        if (count >= 3 &&
            moravel::readStamp(fields[0], fields[1].size() < 5 ? QStringView(u"00:00") : fields[1], stamp))
            samples += count - 2;
    }
    QByteArray csv;
    try {
        csv = moravel::csv::rawCsv(lines);
    } catch (const moravel::DataError&) {
        FUZZ_ASSERT(bytesFail());
        return 0;
    }
    // The bytes give the same CSV as the lines they decode to.
    FUZZ_ASSERT(moravel::csv::rawCsvFromBytes(fuzzBytes(data, size)) == csv);
    FUZZ_ASSERT(csv.isEmpty() || csv.endsWith("\r\n"));
    // Each of them became a row that starts with a whole date and time.
    static const QRegularExpression stampRow(QStringLiteral("^\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2},"));
    qsizetype rows = 0;
    for (const QByteArray& row : csv.split('\n'))
        rows += stampRow.match(QString::fromLatin1(row.left(20))).hasMatch();
    FUZZ_ASSERT(rows >= samples);
    return 0;
}
