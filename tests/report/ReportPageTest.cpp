// The report page, probed by pixels (never glyph pixels) and by the texts it is given.
#include "report/ReportPage.h"

#include "common/Errors.h"
#include "common/LevelStat.h"

#include "TestSupport.h"

using namespace moravel::report;
using moravel::test::Black;
using moravel::test::px;
using moravel::test::Red;
using moravel::test::White;

namespace {

struct Data {
    moravel::data::CardData card;
    moravel::data::LevelLists &la = card.LA_List, &lv = card.LV_List;
    moravel::data::DailyMaxima &laMax = card.LA_ListMax, &lvMax = card.LV_ListMax;
    moravel::data::HourlyMaxima &laMaxG = card.LA_ListMaxG, &lvMaxG = card.LV_ListMaxG;

    Data() {
        for (auto* lists : {&la, &lv})
            for (auto& l : *lists)
                for (int a = 0; a < 144; ++a)
                    l.append("000.0");
    }

    ReportInputs inputs() {
        ReportInputs in;
        in.page.items[moravel::ReferenceS] = "70";
        in.page.items[moravel::ReferenceV] = "0";
        in.choices.sStatText = QStringLiteral("L05");
        in.choices.vStatText = QStringLiteral("L10");
        in.choices.sStat = 2;
        in.choices.vStat = 3;
        in.data = &card;
        in.choices.sSeries = {0, 1, 2, 3, 4, 5, 6, 7, 8};
        in.choices.vSeries.clear();
        in.choices.sColumns.clear();
        in.choices.vColumns.clear();
        return in;
    }
};

QImage compose(const ReportInputs& in, int mode) {
    QImage page = newPage();
    DayJoins joins;
    composePage(page, in, mode, joins);
    return page;
}

} // namespace

TEST(ReportPage, DayBarsAndMarkerLines) {
    Data d;
    d.la[2][0] = "055.3";
    d.la[2][1] = "20.9";
    d.la[2][2] = "130.0";
    const QImage page = compose(d.inputs(), GraphReport);
    ASSERT_EQ(page.size(), QSize(1191, 1684));
    // Interval 0: an outline from x 125 to 129 between the baseline 705 and 705 - Floor(265/90*35) = 602.
    EXPECT_EQ(px(page, 129, 650), Black);
    EXPECT_EQ(px(page, 127, 650), White);
    EXPECT_EQ(px(page, 130, 650), White);
    EXPECT_EQ(px(page, 127, 602), Black);
    EXPECT_EQ(px(page, 127, 601), White);
    // 20.9 dB is not drawn; 130.0 dB reaches the 100 dB line at the plot's top.
    const int x1 = static_cast<int>(125 + 950.0 / 144 * 1);
    EXPECT_EQ(px(page, x1 + 1, 650), White);
    const int x2 = static_cast<int>(125 + 950.0 / 144 * 2);
    EXPECT_EQ(px(page, x2, 600), Black);
    EXPECT_EQ(px(page, x2 + 2, 470), Black);
    // Red: the 30 dB lines at 676 and 976, reference 70 on 558, reference 0 of V on 764 + 300.
    for (int y : {676, 976, 558, 1064})
        EXPECT_EQ(px(page, 1000, y), Red) << y;
    EXPECT_EQ(px(page, 1000, 764), White);
    EXPECT_EQ(px(page, 1076, 558), White);
    // The vertical axis from the top line to the baseline, the ticks six long below it.
    EXPECT_EQ(px(page, 125, 470), Black);
    EXPECT_EQ(px(page, 125, 705), Black);
    const int tick = 125 + static_cast<int>(950.0 / 12);
    EXPECT_EQ(px(page, tick, 706), Black);
    EXPECT_EQ(px(page, tick, 712), Black);
    EXPECT_EQ(px(page, tick, 713), White);
    // Grid lines start on the axis.
    EXPECT_EQ(px(page, 124, 470 + 29), White);
}

TEST(ReportPage, ReferenceZeroOnTheNoisePlot) {
    Data d;
    ReportInputs in = d.inputs();
    in.page.items[moravel::ReferenceS] = "0";
    const QImage page = compose(in, GraphReport);
    EXPECT_EQ(px(page, 1000, 764), Red);
}

TEST(ReportPage, MonthLinesOfAOneDayPeriod) {
    Data d;
    for (int n = 0; n < 24; ++n)
        d.laMaxG[8][n] = "60";
    for (int n = 24; n < 744; ++n)
        d.laMaxG[8][n] = "99"; // beyond the period: never read
    for (int i = 0; i < 9; ++i)
        for (int n = 0; n < 24; ++n) {
            if (i != 8)
                d.laMaxG[i][n] = "0";
            d.lvMaxG[i][n] = "0";
        }
    ReportInputs in = d.inputs();
    in.choices.selection.monthMode = true;
    in.choices.selection.first = 0;
    in.choices.selection.last = 0;
    in.choices.dateTexts = {QStringLiteral("2021年03月31日")};
    const QImage page = compose(in, GraphReport);
    const int y = 705 - static_cast<int>(265.0 / 90 * 40);
    for (int n : {0, 12, 23})
        EXPECT_EQ(px(page, 125 + static_cast<int>(950.0 / 24 * n), y), Red) << n;
    EXPECT_EQ(px(page, 125 + static_cast<int>(950.0 / 24 * 23) + 2, y), White);
    // The closing tick at x = 1075, labelled with the day after the 31st.
    EXPECT_EQ(px(page, 1075, 710), Black);
    EXPECT_TRUE(moravel::test::showsText(page, {115, 715, 20, 20}, "31", 12));
    EXPECT_TRUE(moravel::test::showsText(page, {1065, 715, 20, 20}, "1", 12));
    // The legend of all nine series: a filled swatch of Lmax's red at (910, 430)-(950, 440).
    EXPECT_EQ(px(page, 930, 435), Red);
    EXPECT_EQ(px(page, 720, 395), 0xFF808080u);
}

TEST(ReportPage, MonthLinesJoinDaysAndRememberHour23) {
    Data d;
    for (int i = 0; i < 9; ++i)
        for (int n = 0; n < 72; ++n) {
            d.laMaxG[i][n] = "60";
            d.lvMaxG[i][n] = "0";
        }
    d.laMaxG[8][48] = "0"; // day 3 starts without a value: no join from day 2
    ReportInputs in = d.inputs();
    in.choices.sSeries = {8};
    in.choices.selection.monthMode = true;
    in.choices.selection.first = 0;
    in.choices.selection.last = 2;
    in.choices.dateTexts = {"2021年03月01日", "2021年03月02日", "2021年03月03日"};
    QImage page = newPage();
    DayJoins joins;
    composePage(page, in, GraphReport, joins);
    const int y = 705 - static_cast<int>(265.0 / 90 * 40);
    auto x = [](double n) { return 125 + static_cast<int>(950.0 / 72 * n); };
    EXPECT_EQ(px(page, x(23.5), y), Red);   // day 1 to day 2
    EXPECT_EQ(px(page, x(47.5), y), White); // day 2 to day 3
    EXPECT_EQ(joins.s[0], 40);              // hour 23 of the last day, remembered
}

TEST(ReportPage, HeaderTextsAndWeekdaySquares) {
    const auto rows = noticeRows(QString::fromUtf16(
        u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろ"));
    EXPECT_EQ(rows[0], QString::fromUtf16(u"あいうえおかきくけこさしすせそた"));
    EXPECT_EQ(rows[1], QString::fromUtf16(u"ちつてとなにぬねのはひふへほまみ"));
    EXPECT_EQ(rows[2], QString::fromUtf16(u"むめもやゆよらり")); // the 41st character on is not printed
    EXPECT_EQ(noticeRows("short")[1], "");

    Data d;
    ReportInputs in = d.inputs();
    in.page.week = {true, false, true, false, false, false, true};
    const QImage page = compose(in, 7); // not a report mode: the header block alone
    for (int i = 0; i < 7; ++i) {
        const int x = 852 + 25 * i;
        EXPECT_EQ(px(page, x, 198), Black) << i;                               // corner
        EXPECT_EQ(px(page, x + 7, 205), in.page.week[i] ? Black : White) << i; // centre
    }
    // Below the header block the page is white.
    for (int y = 320; y < 1684; y += 7)
        ASSERT_EQ(px(page, 600, y), White) << y;
}

TEST(ReportPage, TableReportInMonthModeWith31Days) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "FreeType hints the glyphs of a table cell differently from the same text drawn alone "
                    "on Windows: the cell texts are compared on Linux";
#endif
    Data d;
    for (int i = 0; i < 9; ++i)
        for (int n = 0; n < 31; ++n) {
            d.laMax[i][n] = "55.9";
            d.lvMax[i][n] = "000.0";
        }
    ReportInputs in = d.inputs();
    in.choices.selection.monthMode = true;
    in.choices.selection.first = 0;
    in.choices.selection.last = 30;
    for (int n = 1; n <= 31; ++n)
        in.choices.dateTexts.append(QStringLiteral("2021年03月%1日").arg(n, 2, 10, QLatin1Char('0')));
    in.choices.sColumns = {moravel::L05, moravel::Lmax};
    in.choices.vColumns = {moravel::Leq};
    d.laMax[moravel::Lmax][0] = "77";
    d.lvMax[moravel::Leq][30] = "33.3";
    const QImage page = compose(in, TableReport);
    using moravel::test::showsText;
    // The checked columns of each channel from its own left, headed by their names.
    EXPECT_TRUE(showsText(page, {280, 450, 50, 36}, "L05", 18));
    EXPECT_TRUE(showsText(page, {330, 450, 50, 36}, "Lmax", 18));
    EXPECT_TRUE(showsText(page, {730, 450, 50, 36}, "Leq", 18, Qt::AlignCenter, {734, 451, 45, 34}));
    EXPECT_TRUE(showsText(page, {100, 486, 150, 36}, QStringLiteral("2021年03月01日"), 18));
    EXPECT_TRUE(showsText(page, {280, 486, 50, 36}, "55", 18));
    EXPECT_TRUE(showsText(page, {330, 486, 50, 36}, "77", 18));
    EXPECT_TRUE(
        showsText(page, {730, 486 + 36 * 30, 50, 36}, "33", 18, Qt::AlignCenter, {734, 1567, 45, 34}));
    EXPECT_TRUE(showsText(page, {380, 486, 50, 36}, "", 18)); // no third noise column
    EXPECT_EQ(px(page, 500, 1602), Black);                    // 32 rows end at 450 + 36 * 32
    EXPECT_EQ(px(page, 500, 1603), White);
    EXPECT_EQ(px(page, 80, 1000), Black);
    EXPECT_EQ(px(page, 728, 1000), Black); // the double line between S and V
    EXPECT_EQ(px(page, 732, 1000), Black);
    EXPECT_EQ(px(page, 730, 1000), White);
    EXPECT_EQ(px(page, 1130, 1000), Black);
    EXPECT_EQ(px(page, 680, 1000), Black);
    EXPECT_EQ(px(page, 780, 1000), Black);
}

TEST(ReportPage, FullReportDayTables) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "FreeType hints the glyphs of a table cell differently from the same text drawn alone "
                    "on Windows: the cell texts are compared on Linux";
#endif
    Data d;
    d.la[2][0] = "055.9";
    d.la[2][143] = "071.0";
    d.lv[3][0] = "042.3";
    d.lv[2][0] = "099.0"; // not the vibration level shown
    const QImage page = compose(d.inputs(), FullReport);
    using moravel::test::showsText;
    // The noise table shows L05 truncated, the vibration table L10, each under its own heading.
    EXPECT_TRUE(showsText(page, {140, 1140, 600, 25}, QStringLiteral("騒音　ＳL05"), 18,
                          Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_TRUE(showsText(page, {140, 1340, 600, 25}, QStringLiteral("振動　ⅤL10"), 18,
                          Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_TRUE(showsText(page, {139, 1194, 39, 23}, "55", 12));
    EXPECT_TRUE(showsText(page, {100 + 39 * 24, 1170 + 24 * 6, 39, 23}, "71", 12));
    EXPECT_TRUE(showsText(page, {139, 1218, 39, 23}, "0", 12));
    EXPECT_TRUE(showsText(page, {139, 1394, 39, 23}, "42", 12));
    EXPECT_TRUE(showsText(page, {100, 1194, 39, 23}, "0~10", 12));
    EXPECT_TRUE(showsText(page, {100 + 39 * 24, 1170, 39, 23}, "23", 12));
    for (int k = 0; k <= 7; ++k) {
        EXPECT_EQ(px(page, 1075, 1170 + 24 * k), Black) << k;
        EXPECT_EQ(px(page, 1076, 1170 + 24 * k), White) << k;
    }
    EXPECT_EQ(px(page, 100 + 39 * 25, 1338), Black);
    EXPECT_EQ(px(page, 100 + 39 * 25, 1339), White);
    EXPECT_EQ(px(page, 100 + 39 * 13, 1370 + 100), Black); // the vibration table
}

TEST(ReportPage, FullReportMonthTablesShowThePeriodOnly) {
    Data d;
    for (int i = 0; i < 9; ++i)
        for (int n = 0; n < 31; ++n) {
            d.laMax[i][n] = n < 3 ? "70" : "88"; // 88: left by an earlier, longer period
            d.lvMax[i][n] = n < 3 ? "60" : "";
        }
    for (int i = 0; i < 9; ++i)
        for (int n = 0; n < 72; ++n)
            d.laMaxG[i][n] = d.lvMaxG[i][n] = "0";
    ReportInputs in = d.inputs();
    in.choices.selection.monthMode = true;
    in.choices.selection.first = 0;
    in.choices.selection.last = 2;
    in.choices.dateTexts = {"2021年03月01日", "2021年03月02日", "2021年03月03日"};
    const QImage page = compose(in, FullReport);
    EXPECT_EQ(px(page, 100 + 57 * 17, 1250), Black); // the 18 vertical lines end at x = 1069
    EXPECT_EQ(px(page, 1069, 1170 + 36 * 4), Black);
    EXPECT_EQ(px(page, 1070, 1170), White);
    // No digits in the cells after the third day (probing a whole cell for any dark pixel).
    auto cellIsEmpty = [&](int x, int y) {
        for (int yy = y + 2; yy < y + 34; ++yy)
            for (int xx = x + 2; xx < x + 54; ++xx)
                if (qGray(page.pixel(xx, yy)) < 128)
                    return false;
        return true;
    };
    EXPECT_FALSE(cellIsEmpty(157, 1170 + 36));
    EXPECT_TRUE(cellIsEmpty(157 + 57 * 5, 1170 + 36));
    EXPECT_TRUE(cellIsEmpty(157 + 57 * 5, 1370 + 36));
    EXPECT_TRUE(moravel::test::showsText(page, {157, 1170 + 36, 56, 36}, "70", 16));
    EXPECT_TRUE(moravel::test::showsText(page, {157 + 57 * 2, 1370 + 36, 56, 36}, "60", 16));
    EXPECT_TRUE(moravel::test::showsText(page, {100 + 57 * 15, 1170 + 72, 58, 36}, "31", 16));
}

TEST(ReportPage, FailuresStopTheComposition) {
    Data d;
    ReportInputs in = d.inputs();
    in.page.items[moravel::ReferenceS] = "";
    EXPECT_THROW(compose(in, GraphReport), moravel::DataError);
    in = d.inputs();
    in.choices.sStatText.reset();
    EXPECT_THROW(compose(in, GraphReport), moravel::DataError); // bar headings need the level
    in.choices.lines = true;
    EXPECT_NO_THROW(compose(in, GraphReport)); // the legend does not
    d.la[2][5] = "abc";
    in = d.inputs();
    EXPECT_THROW(compose(in, TableReport), moravel::DataError);
}
