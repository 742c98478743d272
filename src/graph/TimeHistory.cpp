#include "graph/TimeHistory.h"

#include <algorithm>
#include <cmath>

namespace moravel::graph {

namespace {

// The y of a level (tenths of a decibel) on the 20–100 dB scale of a plot.
double yOfDeci(const QRect& plot, int deci) {
    const double share = (std::clamp(deci, 200, 1000) - 200) / 800.0;
    return plot.bottom() - share * (plot.height() - 1);
}

} // namespace

double xOfSecond(const TimeView& view, int width, double second) {
    return (second - view.first) * width / static_cast<double>(view.length());
}

int secondAtX(const TimeView& view, int width, double x) {
    const int s = view.first + static_cast<int>(std::floor(x * view.length() / width));
    return std::clamp(s, view.first, view.last - 1);
}

TimeView zoomed(const TimeView& view, double factor, double anchor) {
    const int length =
        std::clamp(static_cast<int>(std::lround(view.length() * factor)), ShortestView, data::SecondsPerDay);
    // The anchor keeps its share of the view.
    const double share = (anchor - view.first) / view.length();
    int first = static_cast<int>(std::lround(anchor - share * length));
    first = std::clamp(first, 0, data::SecondsPerDay - length);
    return {first, first + length};
}

TimeView panned(const TimeView& view, int seconds) {
    const int first = std::clamp(view.first + seconds, 0, data::SecondsPerDay - view.length());
    return {first, first + view.length()};
}

std::vector<ColumnRange> columnRanges(const data::RawChannel& channel, const TimeView& view, int width) {
    std::vector<ColumnRange> columns(static_cast<size_t>(std::max(width, 0)));
    if (channel.empty() || width <= 0)
        return columns;
    for (int x = 0; x < width; ++x) {
        // The seconds whose span meets the column [x, x + 1).
        const int from =
            view.first + static_cast<int>(std::floor(static_cast<double>(x) * view.length() / width));
        int to = view.first + static_cast<int>(std::ceil(static_cast<double>(x + 1) * view.length() / width));
        to = std::clamp(to, from + 1, view.last);
        ColumnRange& c = columns[static_cast<size_t>(x)];
        for (int s = from; s < to; ++s) {
            const std::int16_t v = channel.seconds[static_cast<size_t>(s)];
            if (v == data::RawGap)
                continue;
            if (!c.any) {
                c = {v, v, true};
            } else {
                c.low = std::min<int>(c.low, v);
                c.high = std::max<int>(c.high, v);
            }
        }
    }
    return columns;
}

void drawTimeHistory(QPainter& p, const QRect& plot, const data::RawChannel& channel, const TimeView& view,
                     int reference, const QColor& colour) {
    p.save();
    p.fillRect(plot, Qt::white);
    // The grid of the graphs: a dashed line every 10 dB, the level labels left of the plot.
    QPen dash(QColor(0, 0, 0), 1, Qt::DashLine);
    for (int db = 20; db <= 100; db += 10) {
        const int y = static_cast<int>(std::lround(yOfDeci(plot, db * 10)));
        p.setPen(db == 20 ? QPen(Qt::black) : dash);
        p.drawLine(plot.left(), y, plot.right(), y);
        p.setPen(Qt::black);
        p.drawText(QRect(plot.left() - 30, y - 7, 26, 14), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(db));
    }
    if (reference > 0) {
        p.setPen(QPen(QColor(200, 0, 0), 1));
        const int y = static_cast<int>(std::lround(yOfDeci(plot, reference * 10)));
        p.drawLine(plot.left(), y, plot.right(), y);
    }
    p.setPen(QPen(colour, 1));
    const int width = plot.width();
    if (view.length() >= width) {
        const std::vector<ColumnRange> columns = columnRanges(channel, view, width);
        for (int x = 0; x < width; ++x) {
            const ColumnRange& c = columns[static_cast<size_t>(x)];
            if (!c.any)
                continue;
            const int top = static_cast<int>(std::floor(yOfDeci(plot, c.high)));
            const int bottom = static_cast<int>(std::ceil(yOfDeci(plot, c.low)));
            p.drawLine(plot.left() + x, top, plot.left() + x, std::max(top, bottom));
        }
    } else if (!channel.empty()) {
        // A second is wider than a pixel: each second a step, joined to the next where both hold one.
        for (int s = view.first; s < view.last; ++s) {
            const std::int16_t v = channel.seconds[static_cast<size_t>(s)];
            if (v == data::RawGap)
                continue;
            const double x0 = plot.left() + xOfSecond(view, width, s);
            const double x1 = plot.left() + xOfSecond(view, width, s + 1);
            const double y = yOfDeci(plot, v);
            p.drawLine(QPointF(x0, y), QPointF(x1, y));
            if (s + 1 < view.last && channel.seconds[static_cast<size_t>(s) + 1] != data::RawGap)
                p.drawLine(QPointF(x1, y),
                           QPointF(x1, yOfDeci(plot, channel.seconds[static_cast<size_t>(s) + 1])));
        }
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot.adjusted(0, 0, -1, -1));
    p.restore();
}

} // namespace moravel::graph
