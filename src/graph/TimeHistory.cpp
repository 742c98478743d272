#include "graph/TimeHistory.h"

#include "data/Levels.h"
#include "platform/Fonts.h"

#include <algorithm>
#include <cmath>

namespace moravel::graph {

namespace {

// The y of a level (tenths of a decibel) on the 20–100 dB scale of a plot.
double yOfDeci(const QRect& plot, int deci) {
    const double share = (std::clamp(deci, 200, 1000) - 200) / 800.0;
    return plot.bottom() - share * (plot.height() - 1);
}

int rowOfDeci(const QRect& plot, int deci) {
    return static_cast<int>(std::lround(yOfDeci(plot, deci)));
}

constexpr int LevelLabels = 34; // the level labels' room left of the plots
constexpr int TitleLine = 18;   // a plot's title above it
constexpr int AxisLine = 20;    // the time labels under the plots

void setFont(QPainter& p, int pixels) {
    QFont font(platform::uiFontFamily());
    font.setPixelSize(pixels);
    p.setFont(font);
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

TimeView spanned(int a, int b) {
    const int low = std::clamp(std::min(a, b), 0, data::SecondsPerDay);
    const int high = std::clamp(std::max(a, b), 0, data::SecondsPerDay);
    if (high - low >= ShortestView)
        return {low, high};
    const int first = std::clamp((low + high) / 2 - ShortestView / 2, 0, data::SecondsPerDay - ShortestView);
    return {first, first + ShortestView};
}

std::vector<ColumnRange> columnRanges(const data::RawChannel& channel, const TimeView& view, int width) {
    std::vector<ColumnRange> columns(static_cast<size_t>(std::max(width, 0)));
    if (channel.empty() || width <= 0)
        return columns;
    const std::int16_t* seconds = channel.seconds.data();
    for (int x = 0; x < width; ++x) {
        // The seconds whose span meets the column [x, x + 1).
        const int from =
            view.first + static_cast<int>(std::floor(static_cast<double>(x) * view.length() / width));
        int to = view.first + static_cast<int>(std::ceil(static_cast<double>(x + 1) * view.length() / width));
        to = std::clamp(to, from + 1, view.last);
        int low = INT16_MAX, high = INT16_MIN;
        for (int s = from; s < to; ++s) {
            const std::int16_t v = seconds[s];
            if (v == data::RawGap)
                continue;
            low = std::min<int>(low, v);
            high = std::max<int>(high, v);
        }
        if (high >= low)
            columns[static_cast<size_t>(x)] = {low, high, true};
    }
    return columns;
}

int timeLabelStep(int length, int width) {
    const double most = std::max(1.0, width / 70.0); // labels across the view at most
    for (int step : {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600})
        if (length / step <= most)
            return step;
    return 21600;
}

QString clockText(int second) {
    return QString::asprintf("%02d:%02d:%02d", second / 3600, second / 60 % 60, second % 60);
}

QString timeLabel(int second, int step) {
    return step % 60 == 0 ? clockText(second).left(5) : clockText(second);
}

QColor noiseColour() {
    return {0, 70, 170};
}

QColor vibrationColour() {
    return {0, 120, 60};
}

QColor entryColour() {
    return {240, 140, 40};
}

void drawTimeHistory(QPainter& p, const QRect& plot, const data::RawChannel& channel, const TimeView& view,
                     int reference, const QColor& colour, const std::vector<std::int16_t>& entries) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(plot, Qt::white);
    // The grid of the graphs: a dashed line every 10 dB, the level labels left of the plot.
    setFont(p, 11);
    for (int db = 20; db <= 100; db += 10) {
        const int y = rowOfDeci(plot, db * 10);
        if (db == 20) {
            p.fillRect(QRect(plot.left(), y, plot.width(), 1), Qt::black);
        } else {
            // The dashes of the graphs, four pixels on and two off, each filled: a stroked dashed
            // line goes to the painter's thread pool, which costs more than the line.
            for (int x = plot.left(); x <= plot.right(); x += 6)
                p.fillRect(QRect(x, y, std::min(4, plot.right() - x + 1), 1), Qt::black);
        }
        p.setPen(Qt::black);
        p.drawText(QRect(plot.left() - 30, y - 7, 26, 14), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(db));
    }
    if (reference > 0) {
        p.setPen(QPen(QColor(200, 0, 0), 1));
        const int y = rowOfDeci(plot, reference * 10);
        p.drawLine(plot.left(), y, plot.right(), y);
    }
    p.setClipRect(plot);
    p.setPen(QPen(colour, 1));
    const int width = plot.width();
    if (view.length() >= width) {
        const std::vector<ColumnRange> columns = columnRanges(channel, view, width);
        // Each stroke a filled rectangle one pixel wide, drawn on this thread.
        for (int x = 0; x < width; ++x) {
            const ColumnRange& c = columns[static_cast<size_t>(x)];
            if (!c.any)
                continue;
            const int top = static_cast<int>(std::floor(yOfDeci(plot, c.high)));
            const int bottom = static_cast<int>(std::ceil(yOfDeci(plot, c.low)));
            p.fillRect(QRect(plot.left() + x, top, 1, std::max(top, bottom) - top + 1), colour);
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
    // The day file's entries: each ten minutes a step at its level, joined to the next one.
    if (entries.size() == static_cast<size_t>(data::SlotsPerDay)) {
        p.setPen(QPen(entryColour(), 1));
        const int firstSlot = view.first / 600;
        const int lastSlot = std::min(data::SlotsPerDay - 1, (view.last - 1) / 600);
        for (int i = firstSlot; i <= lastSlot; ++i) {
            const std::int16_t v = entries[static_cast<size_t>(i)];
            if (v == data::RawGap)
                continue;
            const double x0 = plot.left() + xOfSecond(view, width, i * 600);
            const double x1 = plot.left() + xOfSecond(view, width, (i + 1) * 600);
            const double y = std::round(yOfDeci(plot, v));
            p.drawLine(QPointF(x0, y), QPointF(x1, y));
            if (i + 1 < data::SlotsPerDay && entries[static_cast<size_t>(i) + 1] != data::RawGap)
                p.drawLine(QPointF(x1, y),
                           QPointF(x1, std::round(yOfDeci(plot, entries[static_cast<size_t>(i) + 1]))));
        }
    }
    p.setClipping(false);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot.adjusted(0, 0, -1, -1));
    p.restore();
}

TimeHistoryLayout TimeHistoryLayout::of(const QRect& area) {
    const int left = area.left() + LevelLabels;
    const int width = std::max(60, area.width() - LevelLabels - 10);
    const int height = std::max(40, (area.height() - 2 * TitleLine - AxisLine - 4) / 2);
    TimeHistoryLayout l;
    l.noise = QRect(left, area.top() + TitleLine, width, height);
    l.vibration = QRect(left, l.noise.bottom() + 1 + TitleLine, width, height);
    l.axis = QRect(left, l.vibration.bottom() + 1, width, AxisLine);
    return l;
}

void drawTimeHistoryPair(QPainter& p, const QRect& area, const data::RawDay& day, const TimeView& view,
                         int noiseReference, int vibrationReference) {
    const TimeHistoryLayout l = TimeHistoryLayout::of(area);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(area, Qt::white);
    const struct {
        QRect plot;
        const data::RawChannel* channel;
        const std::vector<std::int16_t>* entries;
        int reference;
        QColor colour;
        const char* title;
        const char* entry;
    } parts[2] = {
        {l.noise, &day.s, &day.sEntries, noiseReference, noiseColour(), "騒音 dB(A)", "日データ L05"},
        {l.vibration, &day.v, &day.vEntries, vibrationReference, vibrationColour(), "振動 dB",
         "日データ L10"},
    };
    for (const auto& part : parts) {
        drawTimeHistory(p, part.plot, *part.channel, view, part.reference, part.colour, *part.entries);
        setFont(p, 12);
        const QRect title(part.plot.left(), part.plot.top() - TitleLine, part.plot.width(), TitleLine);
        p.setPen(part.colour);
        p.drawText(title, Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf8(part.title));
        // The legend of the lines: the seconds, the day file's entry, the reference.
        const QString legend[3] = {QStringLiteral("毎秒の値"), QString::fromUtf8(part.entry),
                                   QStringLiteral("基準値")};
        const QColor colours[3] = {part.colour, entryColour(), QColor(200, 0, 0)};
        const QFontMetrics metrics(p.font());
        int x = title.right();
        for (int i = 2; i >= 0; --i) {
            const int w = metrics.horizontalAdvance(legend[i]);
            x -= w;
            p.setPen(Qt::black);
            p.drawText(QRect(x, title.top(), w, TitleLine), Qt::AlignLeft | Qt::AlignVCenter, legend[i]);
            x -= 18;
            p.fillRect(QRect(x, title.center().y(), 14, 2), colours[i]);
            x -= 10;
        }
        if (part.channel->empty()) {
            p.setPen(Qt::black);
            p.drawText(part.plot, Qt::AlignCenter | Qt::TextWordWrap, part.channel->reason);
        }
    }
    // The time labels under the vibration plot.
    setFont(p, 11);
    p.setPen(Qt::black);
    const int step = timeLabelStep(view.length(), l.axis.width());
    for (int t = (view.first + step - 1) / step * step; t <= view.last; t += step) {
        const int x = l.axis.left() + static_cast<int>(std::lround(xOfSecond(view, l.axis.width(), t)));
        p.drawLine(x, l.axis.top(), x, l.axis.top() + 3);
        // A label at an end of the axis stays within the area.
        const int left = std::clamp(x - 40, area.left() + 3, area.right() - 2 - 80);
        const Qt::Alignment align = left == x - 40  ? Qt::AlignHCenter
                                    : left > x - 40 ? Qt::AlignLeft
                                                    : Qt::AlignRight;
        p.drawText(QRect(left, l.axis.top() + 4, 80, 14), align | Qt::AlignTop, timeLabel(t, step));
    }
    p.restore();
}

void drawTimeHistoryMessage(QPainter& p, const QRect& area, const QString& why) {
    const TimeHistoryLayout l = TimeHistoryLayout::of(area);
    p.save();
    p.fillRect(area, Qt::white);
    const QRect frame = l.noise.united(l.vibration);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame.adjusted(0, 0, -1, -1));
    setFont(p, 13);
    p.drawText(frame.adjusted(10, 0, -10, 0), Qt::AlignCenter | Qt::TextWordWrap, why);
    p.restore();
}

} // namespace moravel::graph
