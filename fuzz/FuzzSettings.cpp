// The settings-file reader, and a written settings file reading back to the same items.
#include "FuzzSupport.h"

#include "common/Errors.h"
#include "platform/TextFile.h"
#include "settings/SettingsFile.h"

namespace {

// An item as the file keeps it: commas removed, through code page 932 (where a character has two
// forms, the code page's own comes back).
QString asKept(QString text) {
    text.remove(u',');
    return moravel::platform::decodeLines(moravel::platform::encodeCp932(text) + "\r\n").value(0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QStringList lines;
    try {
        lines = moravel::platform::decodeLines(fuzzBytes(data, size));
    } catch (const moravel::DataError&) {
        return 0;
    }
    const moravel::settings::SettingsContent read = moravel::settings::parseSettingsFile(lines);
    if (read.startHour)
        FUZZ_ASSERT(*read.startHour >= 0 && *read.startHour <= 23);
    if (read.stopHour)
        FUZZ_ASSERT(*read.stopHour >= 0 && *read.stopHour <= 23);

    // Items the editor could hold: one line each, the reference values whole numbers.
    std::array<QString, 11> items;
    for (int i = 0; i < 11; ++i) {
        QString text = lines.value(i);
        text.remove(u'\r');
        text.remove(u'\n');
        items[static_cast<size_t>(i)] = text.left(40);
    }
    items[9] = QString::number(static_cast<int>(size % 100));
    items[10] = QString::number(static_cast<int>(lines.size() % 100));
    QString week;
    for (bool b : read.week)
        week += b ? u'1' : u'0';
    const QString start = QStringLiteral("%1").arg(read.startHour.value_or(7), 2, 10, QLatin1Char('0'));
    const QString stop = QStringLiteral("%1").arg(read.stopHour.value_or(18), 2, 10, QLatin1Char('0'));
    const QStringList written = moravel::settings::settingsFileLines(
        {items, week, start, QStringLiteral("30"), stop, QStringLiteral("00")});
    // Written as the settings page writes it: a line the code page cannot hold is refused, never
    // written with "?", and everything written reads back as it was.
    QByteArray bytes;
    try {
        bytes = moravel::platform::linesKeepingBytes(written, QByteArray());
    } catch (const moravel::DataError&) {
        bool unwritable = false;
        for (const QString& line : written)
            unwritable = unwritable || moravel::platform::firstUnwritableInCp932(line).has_value();
        FUZZ_ASSERT(unwritable);
        return 0;
    }
    const moravel::settings::SettingsContent back =
        moravel::settings::parseSettingsFile(moravel::platform::decodeLines(bytes));
    FUZZ_ASSERT(!back.corrupt);
    for (int i = 0; i < 11; ++i) {
        const QString expected = asKept(items[static_cast<size_t>(i == 3 ? 2 : i)]);
        FUZZ_ASSERT(back.items[static_cast<size_t>(i)] == expected);
    }
    FUZZ_ASSERT(back.week == read.week);
    FUZZ_ASSERT(back.startHour == read.startHour.value_or(7));
    FUZZ_ASSERT(back.stopHour == read.stopHour.value_or(18));
    return 0;
}
