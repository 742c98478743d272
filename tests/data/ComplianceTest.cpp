// The compliance summary: coverage, energy average, maximum and exceedances of a day's intervals.
#include "data/Compliance.h"
#include "common/Errors.h"

#include "TestSupport.h"

#include <cmath>
#include <limits>

using namespace moravel::data;

namespace {

const double None = std::numeric_limits<double>::quiet_NaN();

// A channel whose level L05 (and Leq) hold `value` in every interval, with some intervals changed.
DayRecord::Channel channel(double value, const QList<QPair<int, double>>& changes = {}, int reference = 70,
                           const std::array<bool, 7>& week = {true, true, true, true, true, true, false}) {
    DayRecord::Channel c;
    c.week = week;
    c.reference = reference;
    for (auto& stat : c.values)
        stat.fill(value);
    for (const auto& [slot, v] : changes) {
        c.values[moravel::L05][static_cast<size_t>(slot)] = v;
        c.values[moravel::Leq][static_cast<size_t>(slot)] = v;
    }
    return c;
}

int at(int hour, int minute) {
    return 6 * hour + minute / 10;
}

} // namespace

TEST(Compliance, FiguresOfADay) {
    const struct {
        const char* what;
        DayRecord::Channel channel;
        TimeWindow window;
        int entries, valid;
        std::optional<double> leq, max;
        QString maxTime;
        int exceeded;
        QList<Exceedance> runs;
    } cases[] = {
        {"constant", channel(60.0), {}, 144, 144, 60.0, 60.0, "00:00", 0, {}},
        {"a ramp across the reference, 70.0 not above 70",
         channel(60.0,
                 {{at(8, 0), 68}, {at(8, 10), 70.0}, {at(8, 20), 70.4}, {at(8, 30), 71}, {at(8, 40), 69}}),
         {},
         144,
         144,
         61.1, // 10 log10((139e6 + 10^6.8 + 10^7 + 10^7.04 + 10^7.1 + 10^6.9) / 144) = 61.13
         71,
         "08:30",
         2,
         {{8 * 60 + 20, 8 * 60 + 40, 2, 71}}},
        {"undetermined and missing intervals are not valid and break a run",
         channel(75.0, {{at(1, 0), None}, {at(1, 10), None}}),
         {},
         144,
         142,
         75.0,
         75.0,
         "00:00",
         142,
         {{0, 60, 6, 75.0}, {80, 1440, 136, 75.0}}},
        {"a run to the end of the day",
         channel(50.0, {{at(23, 40), 80.5}, {at(23, 50), 81}}),
         {},
         144,
         144,
         std::nullopt, // checked below
         81,
         "23:50",
         2,
         {{23 * 60 + 40, 1440, 2, 81}}},
        {"a time window that cuts a run",
         channel(50.0, {{at(8, 20), 72}, {at(8, 30), 73}, {at(8, 40), 74}}),
         TimeWindow::fromHoursMinutes(8, 0, 8, 40),
         4,
         4,
         std::nullopt,
         73,
         "08:30",
         2,
         {{8 * 60 + 20, 8 * 60 + 40, 2, 73}}},
        {"a window across midnight, runs in clock order",
         channel(50.0, {{at(0, 0), 71}, {at(23, 50), 72}}),
         TimeWindow::fromHoursMinutes(22, 0, 6, 0),
         48,
         48,
         std::nullopt,
         72,
         "23:50",
         2,
         {{0, 10, 1, 71}, {23 * 60 + 50, 1440, 1, 72}}},
    };
    for (const auto& c : cases) {
        const ChannelDay d = complianceOfChannel("20210301", c.channel, c.window, moravel::L05);
        EXPECT_EQ(d.entries, c.entries) << c.what;
        EXPECT_EQ(d.valid, c.valid) << c.what;
        if (c.leq) {
            EXPECT_EQ(d.leq, c.leq) << c.what;
        }
        EXPECT_EQ(d.max, c.max) << c.what;
        EXPECT_EQ(clockText(d.maxTime), c.maxTime) << c.what;
        EXPECT_EQ(d.exceededEntries, c.exceeded) << c.what;
        EXPECT_EQ(d.exceedances, c.runs) << c.what;
    }
}

TEST(Compliance, EnergyAverageAndRounding) {
    // 10 log10((10^6 + 10^7) / 2) = 67.403...
    EXPECT_EQ(complianceOfChannel("20210301", channel(60.0, {{1, 70.0}}),
                                  TimeWindow::fromHoursMinutes(0, 0, 0, 20), moravel::L05)
                  .leq,
              67.4);
    EXPECT_EQ(complianceOfChannel("20210301", channel(65.3), {}, moravel::L05).leq, 65.3);
    // No valid Leq: no average; no valid level: no maximum.
    const ChannelDay empty = complianceOfChannel("20210301", channel(None), {}, moravel::L05);
    EXPECT_FALSE(empty.leq);
    EXPECT_FALSE(empty.max);
    EXPECT_EQ(empty.valid, 0);
    EXPECT_EQ(empty.maxTime, -1);
}

TEST(Compliance, ConstructionDayFromTheDaysOwnWeekFlags) {
    EXPECT_TRUE(complianceOfChannel("20210301", channel(50), {}, moravel::L05).constructionDay);  // a Monday
    EXPECT_FALSE(complianceOfChannel("20210307", channel(50), {}, moravel::L05).constructionDay); // a Sunday
    EXPECT_EQ(complianceOfChannel("20210307", channel(50), {}, moravel::L05).weekday, 6);
    DayRecord::Channel broken = channel(50);
    broken.reference.reset();
    EXPECT_THROW(complianceOfChannel("20210301", broken, {}, moravel::L05), moravel::DataError);
    EXPECT_THROW(complianceOfChannel("20211399", channel(50), {}, moravel::L05), moravel::DataError);
}

TEST(Compliance, ARecordFromADayFile) {
    QStringList lac = moravel::test::dayFile(moravel::test::fullDayRows("2021/03/07", "066.0"), "1111111");
    QStringList lvc = moravel::test::dayFile(moravel::test::fullDayRows("2021/03/07", "041.0"), "0000000");
    lac[9] = "S-ALA,65";
    lvc[11] = "V-ALA,40";
    lac[17 + 5] = "2021/03/07 00:50,---.-,---.-,---.-,---.-,---.-,---.-,---.-,---.-,---.-";
    LevelLists la, lv;
    DayValues s, v;
    gatherDay(lac, lvc, {}, la, lv, &s, &v);
    const DayRecord r = dayRecord("20210307", lac, lvc, s, v);
    EXPECT_EQ(r.s.reference, 65);
    EXPECT_EQ(r.v.reference, 40);
    const Compliance summary = complianceOf({r}, {}, moravel::L05, moravel::L10);
    ASSERT_EQ(summary.s.size(), 1);
    EXPECT_TRUE(summary.s[0].constructionDay);
    EXPECT_FALSE(summary.v[0].constructionDay);
    EXPECT_EQ(summary.s[0].valid, 143);
    EXPECT_EQ(summary.s[0].exceedances.size(), 2); // broken at 00:50
    EXPECT_EQ(summary.v[0].exceededEntries, 144);
    EXPECT_EQ(isoDate("20210307"), "2021-03-07");
}
