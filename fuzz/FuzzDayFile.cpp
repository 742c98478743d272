// The day-file path: the header checks, the gathering pass and the maxima, as a day and as a day of
// a period. The input holds the .LAC and the .LVC file; its first bytes choose the time window.
#include "FuzzSupport.h"

#include "common/Errors.h"
#include "data/DayHeader.h"
#include "data/Gathering.h"
#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    const moravel::data::TimeWindow window = moravel::data::TimeWindow::fromHoursMinutes(
        data[0] % 24, (data[2] & 1) ? 30 : 0, data[1] % 24, (data[2] & 2) ? 30 : 0);
    QByteArray lacBytes, lvcBytes;
    splitTwoFiles(fuzzBytes(data + 3, size - 3), lacBytes, lvcBytes);
    QStringList lac, lvc;
    try {
        lac = moravel::platform::decodeLines(lacBytes);
        lvc = moravel::platform::decodeLines(lvcBytes);
    } catch (const moravel::DataError&) {
        return 0;
    }
    try {
        const auto check = moravel::data::checkHeader(lac, lvc, [] { return QStringLiteral("20210301"); });
        FUZZ_ASSERT(check.outcome != moravel::data::HeaderCheck::Outcome::Ok || check.messages.isEmpty());
        if (check.outcome == moravel::data::HeaderCheck::Outcome::Ok) {
            FUZZ_ASSERT(check.start.size() == 5 && check.start[2] == u':');
            FUZZ_ASSERT(check.stop.size() == 5 && check.stop[2] == u':');
        }
    } catch (const moravel::DataError&) {
    }
    moravel::data::LevelLists la, lv;
    try {
        moravel::data::gatherDay(lac, lvc, window, la, lv);
    } catch (const moravel::DataError&) {
        return 0;
    }
    for (int i = 0; i < 9; ++i) {
        FUZZ_ASSERT(la[i].size() == 144);
        FUZZ_ASSERT(lv[i].size() == 144);
        for (const QString& level : la[i])
            FUZZ_ASSERT(level != u"---.-" && !level.isEmpty());
    }
    try {
        const int weekday = moravel::data::firstRowWeekday(lac);
        FUZZ_ASSERT(weekday >= 0 && weekday <= 6);
    } catch (const moravel::DataError&) {
    }
    moravel::data::MonthLists hourly, daily;
    try {
        moravel::data::appendDayMaxima(la, true, hourly, daily);
        for (int i = 0; i < 9; ++i) {
            FUZZ_ASSERT(hourly[i].size() == 24);
            FUZZ_ASSERT(daily[i].size() == 1);
        }
    } catch (const moravel::DataError&) {
    }
    return 0;
}
