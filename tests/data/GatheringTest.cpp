#include "data/Gathering.h"
#include "common/Errors.h"

#include "TestSupport.h"

using namespace moravel::data;
using moravel::DataError;
using moravel::test::dataRow;
using moravel::test::dayFile;

namespace {

// A day whose interval k holds the level text of k (k = 0..143 as "0kk.0"); `skip` rows are left out.
QStringList numberedDay(const QList<int>& skip = {}) {
    QStringList rows;
    for (int k = 0; k < 144; ++k)
        if (!skip.contains(k))
            rows.append(dataRow("2021/03/01", k / 6, k % 6 * 10, QString::asprintf("%05.1f", 100.0 + k)));
    return dayFile(rows);
}

QString levelOf(int k) {
    return QString::asprintf("%05.1f", 100.0 + k);
}

struct Gathered {
    LevelLists la, lv;
};

Gathered gather(const QStringList& lac, const QStringList& lvc, TimeWindow w = {}) {
    Gathered g;
    gatherDay(lac, lvc, w, g.la, g.lv);
    return g;
}

// The intervals that kept their value in a gathered list.
QList<int> kept(const QStringList& list) {
    QList<int> out;
    for (int k = 0; k < list.size(); ++k)
        if (list[k] != "000.0")
            out.append(k);
    return out;
}

QList<int> range(int from, int to) {
    QList<int> r;
    for (int k = from; k <= to; ++k)
        r.append(k);
    return r;
}

} // namespace

TEST(Gathering, AFullDayKeepsTheFileTexts) {
    const Gathered g = gather(numberedDay(), numberedDay());
    for (int i = 0; i < 9; ++i) {
        ASSERT_EQ(g.la[i].size(), 144);
        ASSERT_EQ(g.lv[i].size(), 144);
    }
    EXPECT_EQ(g.la[2][0], "100.0");
    EXPECT_EQ(g.la[8][143], "243.0");
    EXPECT_EQ(g.lv[0][19], "119.0");
}

TEST(Gathering, RowsMissingOffTheGridOrMalformed) {
    // Only the rows 00:00 to 11:50.
    QStringList morning = numberedDay(range(72, 143));
    EXPECT_EQ(kept(gather(morning, morning).la[0]), range(0, 71));

    // A missing 03:10 row: entry 19 is missing, 03:20 still lands at 20.
    const Gathered gap = gather(numberedDay({19}), numberedDay({19}));
    EXPECT_EQ(gap.la[0][19], "000.0");
    EXPECT_EQ(gap.la[0][20], levelOf(20));
    EXPECT_EQ(kept(gap.la[0]).size(), 143);

    // A row at 03:15 is never matched: it and every later row are skipped.
    QStringList offGrid = numberedDay();
    offGrid[17 + 19] = dataRow("2021/03/01", 3, 15, "099.9");
    EXPECT_EQ(kept(gather(offGrid, offGrid).la[0]), range(0, 18));

    // A row with ten fields gives "000.0" for its slot and does not shift the others.
    QStringList tenFields = numberedDay();
    tenFields[17 + 30] = tenFields[17 + 30].section(u',', 0, 8);
    const Gathered ten = gather(tenFields, tenFields);
    EXPECT_EQ(ten.la[0][30], "000.0");
    EXPECT_EQ(ten.la[0][31], levelOf(31));

    // "---.-" and empty values.
    QStringList undetermined = numberedDay();
    undetermined[17] = "2021/03/01 00:00,---.-,,1,2,3,4,5,6,7";
    const Gathered u = gather(undetermined, undetermined);
    EXPECT_EQ(u.la[0][0], "000.0");
    EXPECT_EQ(u.la[1][0], "000.0");
    EXPECT_EQ(u.la[2][0], "1");
}

TEST(Gathering, TheShorterFileEndsBothChannels) {
    const Gathered g = gather(numberedDay(), numberedDay(range(100, 143)));
    EXPECT_EQ(kept(g.la[0]), range(0, 99));
    EXPECT_EQ(kept(g.lv[0]), range(0, 99));
}

TEST(Gathering, TimeWindows) {
    const QStringList day = numberedDay();
    auto window = [&](int sh, int sm, int eh, int em) {
        return kept(gather(day, day, TimeWindow::fromHoursMinutes(sh, sm, eh, em)).la[0]);
    };
    EXPECT_EQ(window(8, 30, 17, 0), range(51, 101));
    EXPECT_EQ(window(22, 0, 6, 0), range(0, 35) + range(132, 143));
    EXPECT_EQ(window(10, 0, 10, 30), (QList<int>{60, 61, 62}));
    EXPECT_EQ(window(0, 0, 0, 0), range(0, 143));
    EXPECT_EQ(window(7, 30, 7, 30), range(0, 143));
}

TEST(Gathering, AFileWithoutDataRowsIsAnError) {
    const QStringList headerOnly = dayFile({});
    LevelLists la, lv;
    EXPECT_THROW(gatherDay(headerOnly, headerOnly, {}, la, lv), DataError);
    EXPECT_THROW(gatherDay(numberedDay(), headerOnly, {}, la, lv), DataError);
}

TEST(Maxima, HourlyAndDailyMaxima) {
    LevelLists day;
    for (auto& l : day)
        for (int k = 0; k < 144; ++k)
            l.append("000.0");
    const QStringList six = {"064.9", "065.3", "000.0", "070.0", "055.5", "060.1"};
    for (int k = 0; k < 6; ++k)
        day[3][6 + k] = six[k];
    MonthLists hourly, daily;
    appendDayMaxima(day, true, hourly, daily);
    ASSERT_EQ(hourly[3].size(), 24);
    EXPECT_EQ(hourly[3][0], "0");
    EXPECT_EQ(hourly[3][1], "70");
    EXPECT_EQ(daily[3], QStringList{"70"});
    EXPECT_EQ(daily[0], QStringList{"0"}); // a day of "000.0" only
    EXPECT_TRUE(hourly[9].isEmpty());

    // Not a construction day: zeros whatever was measured.
    appendDayMaxima(day, false, hourly, daily);
    EXPECT_EQ(hourly[3].size(), 48);
    EXPECT_EQ(hourly[3][25], "0");
    EXPECT_EQ(daily[3], (QStringList{"70", "0"}));
}

TEST(Maxima, ANonNumberIsAnErrorWhereTheHourlyPassMeetsIt) {
    LevelLists day;
    for (auto& l : day)
        for (int k = 0; k < 144; ++k)
            l.append("050.0");
    day[0][7] = "abc";
    MonthLists hourly, daily;
    EXPECT_THROW(appendDayMaxima(day, true, hourly, daily), DataError);
    EXPECT_EQ(hourly[0], QStringList{"50"}); // hour 0 was done before hour 1 failed
    EXPECT_TRUE(daily[0].isEmpty());         // and no daily maximum was taken
}

TEST(Maxima, FirstRowWeekday) {
    EXPECT_EQ(firstRowWeekday(dayFile({dataRow("2021/03/07", 0, 0, "1")})), 6);
    EXPECT_THROW(firstRowWeekday(dayFile({})), DataError);
    EXPECT_THROW(firstRowWeekday(dayFile({dataRow("2021/13/07", 0, 0, "1")})), DataError);
}
