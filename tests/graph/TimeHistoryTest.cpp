#include "graph/TimeHistory.h"

#include "TestSupport.h"

#include <QImage>

using namespace moravel::graph;
using moravel::data::RawChannel;
using moravel::data::SecondsPerDay;

namespace {

RawChannel quietDay() {
    RawChannel c;
    c.seconds.assign(SecondsPerDay, 400); // 40.0 dB
    return c;
}

} // namespace

TEST(TimeHistory, ZoomAndPanKeepTheTimeUnderTheCursorAndStayInTheDay) {
    const TimeView day;
    const int width = 1000;
    // 17:00, at 70.8 % of the day, stays where it is at every zoom, to within half a second (a view
    // begins on a whole second).
    for (double factor : {0.5, 0.1, 0.01, 0.001}) {
        const TimeView v = zoomed(day, factor, 61200.0);
        EXPECT_NEAR(xOfSecond(v, width, 61200), 708.33, 0.5 * width / v.length() + 1e-9) << factor;
        EXPECT_GE(v.length(), ShortestView);
    }
    EXPECT_EQ(zoomed(day, 0.0001, 100).length(), ShortestView);
    EXPECT_EQ(zoomed(TimeView{100, 400}, 1000, 200), TimeView{});
    EXPECT_EQ(panned(TimeView{100, 400}, -1000), (TimeView{0, 300}));
    EXPECT_EQ(panned(TimeView{100, 400}, SecondsPerDay), (TimeView{SecondsPerDay - 300, SecondsPerDay}));
    EXPECT_EQ(secondAtX(TimeView{3600, 3660}, 600, 305), 3630);
    // A range dragged along the time axis: as it is, or a minute around its middle.
    EXPECT_EQ(spanned(39600, 36000), (TimeView{36000, 39600}));
    EXPECT_EQ(spanned(100, 110), (TimeView{75, 135}));
    EXPECT_EQ(spanned(86395, 86400), (TimeView{86340, 86400}));
}

TEST(TimeHistory, TheTimeLabelsFollowTheZoom) {
    struct Case {
        int length;
        int step;
        const char* label; // of 10:42:30 rounded down to the step
    } cases[] = {{86400, 10800, "09:00"}, {3600, 600, "10:40"}, {600, 60, "10:42"}, {60, 10, "10:42:30"}};
    for (const Case& c : cases) {
        EXPECT_EQ(timeLabelStep(c.length, 700), c.step) << c.length;
        EXPECT_EQ(timeLabel(38550 / c.step * c.step, c.step), QString::fromUtf8(c.label)) << c.length;
    }
    EXPECT_EQ(timeLabel(86400, 10800), QStringLiteral("24:00"));
}

TEST(TimeHistory, ASpikeOfOneSecondShowsAtTheWholeDay) {
    RawChannel c = quietDay();
    c.seconds[38520] = 950; // 10:42:00, 95.0 dB
    const std::vector<ColumnRange> columns = columnRanges(c, TimeView{}, 1000);
    const int x = static_cast<int>(38520 * 1000 / SecondsPerDay);
    EXPECT_EQ(columns[static_cast<size_t>(x)].high, 950);
    EXPECT_EQ(columns[static_cast<size_t>(x) + 1].high, 400);

    // Drawn: the column of the spike reaches the 95 dB height, its neighbours stay at 40 dB.
    QImage image(1040, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const QRect plot(30, 10, 1000, 281);
    drawTimeHistory(p, plot, c, TimeView{}, 85, Qt::blue);
    p.end();
    auto topmostBlue = [&](int column) {
        for (int y = plot.top(); y <= plot.bottom(); ++y)
            if (image.pixel(plot.left() + column, y) == QColor(Qt::blue).rgb())
                return y;
        return -1;
    };
    const int y95 = plot.bottom() - static_cast<int>((950 - 200) / 800.0 * (plot.height() - 1));
    EXPECT_NEAR(topmostBlue(x), y95, 1);
    const int y40 = plot.bottom() - static_cast<int>((400 - 200) / 800.0 * (plot.height() - 1));
    EXPECT_NEAR(topmostBlue(x + 3), y40, 1);
}
