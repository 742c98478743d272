#include "common/Errors.h"
#include "common/LevelStat.h"
#include "graph/GraphDrawing.h"

#include "TestSupport.h"

using namespace moravel::graph;
using moravel::test::Black;
using moravel::test::px;
using moravel::test::Red;
using moravel::test::White;

namespace {

QImage dayFrame(int w, int h, int reference) {
    QImage image = newBitmap(w, h);
    QPainter p;
    beginGraphPainter(p, image);
    drawDayFrame(p, Plot::ofBitmap(w, h), GraphStyle::screen(), reference);
    return image;
}

void drawBars(QPainter& p, int w, int h, const QStringList& levels) {
    moravel::data::LevelLists lists;
    lists[moravel::Lmax] = levels;
    SeriesDrawing d;
    d.lists = &lists;
    d.barStat = moravel::Lmax;
    drawLevels(p, Plot::ofBitmap(w, h), GraphStyle::screen(), d);
}

void drawLines(QPainter& p, int w, int h, const moravel::data::LevelLists& lists, const QList<int>& series) {
    SeriesDrawing d;
    d.form = SeriesDrawing::DayLines;
    d.lists = &lists;
    d.series = series;
    drawLevels(p, Plot::ofBitmap(w, h), GraphStyle::screen(), d);
}

void drawMonth(QPainter& p, int w, int h, const moravel::data::HourlyMaxima& hourly, int days,
               const QList<int>& series) {
    SeriesDrawing d;
    d.form = SeriesDrawing::MonthLines;
    d.hourly = &hourly;
    d.days = days;
    d.series = series;
    drawLevels(p, Plot::ofBitmap(w, h), GraphStyle::screen(), d);
}

} // namespace

TEST(Drawing, AliasedLinesAndOutlinesCoverTheirEndPixels) {
    // The pixel rules every probe below relies on.
    QImage image = newBitmap(40, 40);
    QPainter p;
    beginGraphPainter(p, image);
    p.setPen(QColor(Qt::black));
    p.drawLine(2, 10, 12, 10);
    p.drawRect(QRect(20, 20, 4, 10));
    p.end();
    EXPECT_EQ(px(image, 2, 10), Black);
    EXPECT_EQ(px(image, 12, 10), Black);
    EXPECT_EQ(px(image, 13, 10), White);
    EXPECT_EQ(px(image, 24, 30), Black); // (w + 1) x (h + 1)
    EXPECT_EQ(px(image, 25, 30), White);
    EXPECT_EQ(px(image, 22, 25), White); // outline only
    EXPECT_EQ(image.format(), QImage::Format_ARGB32);
}

TEST(DayFrame, GeometryOn930x239) {
    const QImage f = dayFrame(930, 239, 70);
    // Grid rows (dashed above the solid baseline): probe the axis column where every line is drawn.
    for (int y : {8, 33, 58, 109, 135, 160, 186, 211})
        EXPECT_EQ(px(f, 24, y), Black) << y;
    for (int x = 24; x <= 920; ++x) {
        ASSERT_EQ(px(f, x, 211), Black) << x; // solid baseline
    }
    int gaps = 0;
    for (int x = 24; x <= 920; ++x) {
        gaps += px(f, x, 33) == White;
    }
    EXPECT_GT(gaps, 100); // dashed
    EXPECT_EQ(px(f, 921, 211), White);
    // Hour ticks from one below the baseline (212) to 215.
    for (int x : {99, 174, 248, 323, 397, 472, 547, 621, 696, 770, 845, 920}) {
        EXPECT_EQ(px(f, x, 212), Black) << x;
        EXPECT_EQ(px(f, x, 215), Black) << x;
        EXPECT_EQ(px(f, x - 1, 212), White) << x; // the label box starts at 213
        EXPECT_EQ(px(f, x + 1, 212), White) << x;
    }
    // The vertical axis from y = 5 to one below the baseline.
    EXPECT_EQ(px(f, 25, 5), Black);
    EXPECT_EQ(px(f, 25, 212), Black);
    EXPECT_EQ(px(f, 25, 4), White);
    // Red lines: reference 70 on the 70 dB grid row, the 30 dB line at 229/9*7 + 8 = 186.1.
    EXPECT_EQ(px(f, 500, 84), Red);
    EXPECT_EQ(px(f, 500, 186), Red);
    EXPECT_EQ(px(f, 920, 84), Red);
    EXPECT_EQ(px(f, 921, 84), White);
}

TEST(DayFrame, ReferenceZeroIsBelowTheBitmap) {
    const QImage f = dayFrame(930, 239, 0);
    EXPECT_EQ(px(f, 500, 186), Red);
    for (int y = 0; y < 239; ++y) {
        if (y != 186) {
            ASSERT_NE(px(f, 500, y), Red) << y;
        }
    }
}

TEST(DayFrame, ReferencesOutsideTheScaleAreNotClipped) {
    const QImage high = dayFrame(930, 239, 102); // 229/9 * -2/10 + 8 = 2.9
    EXPECT_EQ(px(high, 500, 2), Red);            // the painter puts an unrounded line on the row it starts in
    const QImage low = dayFrame(930, 239, 15);   // 229/9*8.5 + 8 = 224.3, in the label band
    EXPECT_EQ(px(low, 500, 224), Red);
}

TEST(MonthFrame, SevenDaysOn945) {
    QImage image = newBitmap(945, 249);
    QPainter p;
    beginGraphPainter(p, image);
    MonthAxis axis{0, 6, {}};
    for (int d = 1; d <= 7; ++d)
        axis.entries.append(QStringLiteral("2021年03月%1日").arg(d, 2, 10, QLatin1Char('0')));
    drawMonthFrame(p, Plot::ofBitmap(945, 249), GraphStyle::screen(), 70, axis);
    p.end();
    const int below = static_cast<int>(239.0 / 9 * 8) + 9; // 221
    for (int x : {155, 285, 415, 545, 675, 805, 935}) {
        EXPECT_EQ(px(image, x, below), Black) << x;
        EXPECT_EQ(px(image, x, below + 3), Black) << x;
    }
    EXPECT_EQ(px(image, 25, 5), Black);
}

TEST(MonthFrame, DayLabels) {
    // Under each tick the two-digit day of its entry; under the closing tick the last day plus one,
    // "32" written as "1". Boxes of 20 x 20 from 10 left of the tick and 2 below the baseline (220),
    // compared below the ticks' ends.
    struct Case {
        QStringList entries;
        QStringList labels;
    };
    const Case cases[] = {
        {{"2021年03月30日", "2021年03月31日", "2021年04月01日"}, {"30", "31", "01", "2"}},
        {{"2021年03月30日", "2021年03月31日"}, {"30", "31", "1"}},
        {{"2021年02月09日"}, {"09", "10"}},
    };
    for (const Case& c : cases) {
        QImage image = newBitmap(945, 249);
        QPainter p;
        beginGraphPainter(p, image);
        const int days = static_cast<int>(c.entries.size());
        drawMonthFrame(p, Plot::ofBitmap(945, 249), GraphStyle::screen(), 0, {0, days - 1, c.entries});
        p.end();
        for (int i = 0; i <= days; ++i) {
            const int x = static_cast<int>(910.0 / days * i) + 25;
            EXPECT_TRUE(moravel::test::showsText(image, {x - 10, 222, 20, 20}, c.labels[i], 11,
                                                 Qt::AlignCenter, {x - 10, 225, 20, 17}))
                << i;
        }
    }
    // An entry that is missing is an error, not a crash; without a first day there are no labels.
    QImage other = newBitmap(945, 249);
    QPainter q;
    beginGraphPainter(q, other);
    EXPECT_THROW(drawMonthFrame(q, Plot::ofBitmap(945, 249), GraphStyle::screen(), 0,
                                {0, 1, {QStringLiteral("2021年03月31日")}}),
                 moravel::DataError);
    q.end();
    QImage unlabelled = newBitmap(945, 249);
    q.begin(&unlabelled);
    drawMonthFrame(q, Plot::ofBitmap(945, 249), GraphStyle::screen(), 0, {-1, 0, {}});
    q.end();
    EXPECT_TRUE(
        moravel::test::showsText(unlabelled, {15, 222, 20, 20}, "", 11, Qt::AlignCenter, {15, 225, 20, 17}));
}

TEST(Levels, StepsAndPositions) {
    EXPECT_EQ(levelStep(u"20.9"), 0);
    EXPECT_EQ(levelStep(u"21.0"), 1);
    EXPECT_EQ(levelStep(u"130.0"), 80);
    EXPECT_EQ(levelStep(u"000.0"), -20);
    EXPECT_THROW(levelStep(u"---.-"), moravel::DataError);
    const Plot f = Plot::ofBitmap(930, 239);
    EXPECT_EQ(f.stepY(80), 8);
    EXPECT_EQ(f.stepY(1), 211 - 2);
}

TEST(Levels, DayBars) {
    QStringList levels;
    for (int a = 0; a < 144; ++a)
        levels.append("000.0");
    levels[1] = "130.0";
    levels[143] = "050.0";
    levels[5] = "20.9";
    levels[6] = "";
    QImage image = newBitmap(930, 239);
    QPainter p;
    beginGraphPainter(p, image);
    drawBars(p, 930, 239, levels);
    p.end();
    // Bar 1 spans x 31..35 from the baseline up to the 100 dB line.
    EXPECT_EQ(px(image, 31, 100), Black);
    EXPECT_EQ(px(image, 35, 100), Black);
    EXPECT_EQ(px(image, 33, 100), White);
    EXPECT_EQ(px(image, 33, 8), Black);
    EXPECT_EQ(px(image, 33, 7), White);
    EXPECT_EQ(px(image, 30, 100), White);
    EXPECT_EQ(px(image, 36, 100), White);
    // Bar 143 spans 913..917.
    EXPECT_EQ(px(image, 913, 200), Black);
    EXPECT_EQ(px(image, 917, 200), Black);
    EXPECT_EQ(px(image, 918, 200), White);
    // 20.9 dB and empty entries draw nothing.
    for (int x = 55; x <= 68; ++x)
        EXPECT_EQ(px(image, x, 211), White) << x;
}

TEST(Levels, DayLinesBreakAtMissingIntervals) {
    moravel::data::LevelLists lists;
    for (auto& l : lists)
        for (int a = 0; a < 144; ++a)
            l.append("060.0");
    lists[8][72] = "000.0";
    QImage image = newBitmap(930, 239);
    QPainter p;
    beginGraphPainter(p, image);
    drawLines(p, 930, 239, lists, {7, 8});
    p.end();
    const Plot f = Plot::ofBitmap(930, 239);
    const int y = f.stepY(40);
    EXPECT_EQ(px(image, 100, y), Red); // Lmax drawn after Lmin lies on top
    const double W = 895;
    const int inGap = static_cast<int>(W / 144 * 71.5 + 25);
    EXPECT_EQ(px(image, inGap, y), Black); // only Lmin runs through the gap
    moravel::data::LevelLists none = lists;
    QImage empty = newBitmap(930, 239);
    QPainter q;
    beginGraphPainter(q, empty);
    drawLines(q, 930, 239, none, {});
    q.end();
    EXPECT_EQ(px(empty, 100, y), White);
}

TEST(Levels, MonthLinesJoinDaysWhenBothEndsAreValid) {
    moravel::data::HourlyMaxima hourly;
    for (int n = 0; n < 48; ++n)
        hourly[8][n] = "60";
    QImage joined = newBitmap(945, 249);
    {
        QPainter p;
        beginGraphPainter(p, joined);
        drawMonth(p, 945, 249, hourly, 2, {8});
    }
    const Plot f = Plot::ofBitmap(945, 249);
    const int y = f.stepY(40);
    const double W = 910;
    const int between = static_cast<int>(W / 48 * 23.5 + 25);
    EXPECT_EQ(px(joined, between, y), Red);
    hourly[8][24] = "0";
    QImage broken = newBitmap(945, 249);
    {
        QPainter p;
        beginGraphPainter(p, broken);
        drawMonth(p, 945, 249, hourly, 2, {8});
    }
    EXPECT_EQ(px(broken, between, y), White);
    // A one-day period spans x = 25 to 25 + W * 23/24.
    QImage one = newBitmap(945, 249);
    {
        QPainter p;
        beginGraphPainter(p, one);
        drawMonth(p, 945, 249, hourly, 1, {8});
    }
    EXPECT_EQ(px(one, 25, y), Red);
    EXPECT_EQ(px(one, static_cast<int>(25 + W * 23 / 24), y), Red);
    EXPECT_EQ(px(one, static_cast<int>(25 + W * 23 / 24) + 2, y), White);
}
