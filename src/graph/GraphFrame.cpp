#include "graph/GraphFrame.h"

#include "common/Checked.h"
#include "common/Errors.h"
#include "common/LevelStat.h"
#include "platform/Application.h"

#include <cmath>
#include <functional>
#include <vector>

namespace moravel::graph {

namespace {

const QColor Black(0xFF000000u);
const QColor Red(0xFFFF0000u);

int floorOf(double v) { return static_cast<int>(std::floor(v)); }

// Text in a box: word wrap on, not clipped to the box.
void boxText(QPainter& p, const QRect& box, int alignment, const QString& text) {
    p.drawText(box, alignment | Qt::TextWordWrap | Qt::TextDontClip, text);
}

QPen solidPen(const QColor& c) {
    QPen pen(c);
    pen.setWidth(1);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void drawLevelAxis(QPainter& p, const Frame& f) {
    const double H = f.plotHeight();
    const int W = f.plotWidth();
    p.setBrush(Black);
    QPen pen = solidPen(Black);
    for (int i = 0; i <= 8; ++i) {
        pen.setStyle(i == 8 ? Qt::SolidLine : Qt::DashLine);
        p.setPen(pen);
        const int y = f.gridY(i);
        p.drawLine(24, y, W + 25, y);
    }
    p.setPen(solidPen(Black));
    for (int i = 0; i <= 8; ++i) {
        const QRect box(2, floorOf(H / 9 * i) + 3, 20, 10);
        const int align = (i == 0 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter;
        boxText(p, box, align, QString::number(100 - 10 * i));
    }
}

void drawMarkerLines(QPainter& p, const Frame& f, int reference) {
    const double H = f.plotHeight();
    const int W = f.plotWidth();
    p.setPen(solidPen(Red));
    const double y30 = H / 9 * 7 + 8;
    p.drawLine(QPointF(25, y30), QPointF(W + 25, y30));
    const double yr = (H / 9) * (100 - reference) / 10 + 8;
    p.drawLine(QPointF(25, yr), QPointF(W + 25, yr));
}

// The day of a first-day list entry: its text after the first "月", every "日" removed.
QString entryDay(const QStringList& entries, int index) {
    QString text = entryAt(entries, index, "日付一覧");
    const qsizetype m = text.indexOf(u'月');
    text = text.mid(m + 1);
    text.remove(u'日');
    return text;
}

} // namespace

int Frame::gridY(int i) const { return floorOf(static_cast<double>(plotHeight()) / 9 * i) + 8; }

int Frame::stepY(int step) const {
    const double H = plotHeight();
    return floorOf(H / 9 * 8) - floorOf(H / 90 * step) + 8;
}

void drawDayFrame(QPainter& p, const Frame& f, int reference) {
    drawLevelAxis(p, f);
    const double H = f.plotHeight();
    const double W = f.plotWidth();
    const int bottom = floorOf(H / 9 * 8);
    p.setPen(solidPen(Black));
    for (int i = 0; i <= 12; ++i) {
        const int x = floorOf(W / 12 * i) + 25;
        if (i == 0)
            p.drawLine(25, 5, 25, bottom + 9);
        else
            p.drawLine(x, bottom + 9, x, bottom + 12);
        const int left = floorOf(W / 12 * i) + (2 * i <= 10 ? 22 : 20);
        boxText(p, QRect(left, bottom + 10, 20, 20), Qt::AlignLeft | Qt::AlignVCenter, QString::number(2 * i));
    }
    drawMarkerLines(p, f, reference);
}

void drawMonthFrame(QPainter& p, const Frame& f, int reference, const MonthAxis& axis) {
    drawLevelAxis(p, f);
    const double H = f.plotHeight();
    const double W = f.plotWidth();
    const int bottom = floorOf(H / 9 * 8);
    const int s = axis.start;
    const int days = axis.stop - axis.start + 1;
    p.setPen(solidPen(Black));
    if (days == 0) {
        // A stop entry one below the start: no day to divide the axis into; the axis alone.
        p.drawLine(25, 5, 25, bottom + 9);
    }
    for (int i = 0; days > 0 && i <= days; ++i) {
        const int x = floorOf(W / days * i) + 25;
        if (i == 0)
            p.drawLine(25, 5, 25, bottom + 9);
        else
            p.drawLine(x, bottom + 9, x, bottom + 12);
        if (s == -1)
            continue;
        QString label;
        if (i < days) {
            label = entryDay(axis.entries, s + i);
        } else {
            const int next = toInt(entryDay(axis.entries, s + days - 1)) + 1;
            label = next == 32 ? QStringLiteral("1") : QString::number(next);
        }
        boxText(p, QRect(floorOf(W / days * i) + 15, bottom + 10, 20, 20), Qt::AlignCenter, label);
    }
    drawMarkerLines(p, f, reference);
}

int levelStep(QStringView text) {
    const double v = levelValue(text);
    double g = std::trunc(v - 20);
    if (g > 80)
        g = 80;
    if (g < -1000)
        g = -1000;
    return static_cast<int>(g);
}

void drawDayBars(QPainter& p, const Frame& f, const QStringList& levels) {
    const double W = f.plotWidth();
    const int base = f.baseline();
    p.setPen(solidPen(Black));
    p.setBrush(Qt::NoBrush);
    for (int a = 0; a < data::SlotsPerDay; ++a) {
        const QString& text = entryAt(levels, a, "レベル");
        if (text.isEmpty())
            continue;
        const int g = levelStep(text);
        if (g < 1)
            continue;
        const int x0 = floorOf(W / 144 * a + 25);
        const int x1 = floorOf(W / 144 * a + 29);
        const int y = f.stepY(g);
        outlineRect(p, x0, y, x1, base);
    }
}

namespace {

// The y of every point of every series, -1 for a point that is not drawn, all read before anything
// is drawn.
template <class Text> std::vector<int> seriesYs(const Frame& f, const QList<int>& series, int points, Text text) {
    std::vector<int> ys(static_cast<size_t>(series.size()) * static_cast<size_t>(points));
    for (int k = 0; k < series.size(); ++k)
        for (int n = 0; n < points; ++n) {
            const int g = levelStep(text(series[k], n));
            ys[static_cast<size_t>(k * points + n)] = g >= 1 ? f.stepY(g) : -1;
        }
    return ys;
}

} // namespace

void drawDayLines(QPainter& p, const Frame& f, const data::LevelLists& lists, const QList<int>& series) {
    const double W = f.plotWidth();
    const int points = data::SlotsPerDay;
    const std::vector<int> ys = seriesYs(f, series, points, [&](int stat, int a) -> const QString& {
        return entryAt(lists[static_cast<size_t>(stat)], a, "レベル");
    });
    std::vector<QPen> pens;
    for (int stat : series)
        pens.push_back(solidPen(QColor::fromRgba(levelStatColour(stat))));
    for (int a = 0; a < points - 1; ++a) {
        for (int k = 0; k < series.size(); ++k) {
            const int y0 = ys[static_cast<size_t>(k * points + a)];
            const int y1 = ys[static_cast<size_t>(k * points + a + 1)];
            if (y0 < 0 || y1 < 0)
                continue;
            p.setPen(pens[static_cast<size_t>(k)]);
            const QLineF line(W / 144 * a + 25, y0, W / 144 * (a + 1) + 25, y1);
            p.drawLines(&line, 1);
        }
    }
}

void drawMonthLines(QPainter& p, const Frame& f, const data::HourlyMaxima& hourly, int days,
                    const QList<int>& series) {
    if (days < 1)
        return;
    if (days > data::MaxPeriodDays)
        throw DataError(QStringLiteral("期間が31日を超えています。"));
    const double W = f.plotWidth();
    const int J = 24 * days;
    auto x = [&](int n) { return W / J * n + 25; };
    const std::vector<int> ys = seriesYs(f, series, J, [&](int stat, int n) -> const QString& {
        return hourly[static_cast<size_t>(stat)][static_cast<size_t>(n)];
    });
    std::vector<QPen> pens;
    for (int stat : series)
        pens.push_back(solidPen(QColor::fromRgba(levelStatColour(stat))));
    auto segment = [&](int k, int n) {
        const int y0 = ys[static_cast<size_t>(k * J + n)];
        const int y1 = ys[static_cast<size_t>(k * J + n + 1)];
        if (y0 < 0 || y1 < 0)
            return;
        p.setPen(pens[static_cast<size_t>(k)]);
        const QLineF line(x(n), y0, x(n + 1), y1);
        p.drawLines(&line, 1);
    };
    for (int d = 0; d < days; ++d) {
        // The join from hour 23 of the day before.
        if (d >= 1)
            for (int k = 0; k < series.size(); ++k)
                segment(k, 24 * d - 1);
        for (int t = 0; t <= 22; ++t)
            for (int k = 0; k < series.size(); ++k)
                segment(k, 24 * d + t);
    }
}

void axisLine(QPainter& p, int x0, int y0, int x1, int y1) {
    auto* image = dynamic_cast<QImage*>(p.device());
    const QPen& pen = p.pen();
    const bool direct = image && image->format() == QImage::Format_ARGB32 && (x0 == x1 || y0 == y1) &&
                        pen.style() == Qt::SolidLine && pen.widthF() <= 1.0 && pen.color().alpha() == 255 &&
                        pen.brush().style() == Qt::SolidPattern && p.transform().isIdentity() && !p.hasClipping() &&
                        p.compositionMode() == QPainter::CompositionMode_SourceOver;
    if (!direct) {
        p.drawLine(x0, y0, x1, y1);
        return;
    }
    const QRgb colour = pen.color().rgba();
    const int w = image->width();
    const int h = image->height();
    uchar* bits = image->bits(); // the painter's own buffer: the image is not shared while painted
    const qsizetype stride = image->bytesPerLine();
    if (y0 == y1) {
        if (y0 < 0 || y0 >= h)
            return;
        const int a = std::max(0, std::min(x0, x1));
        const int b = std::min(w - 1, std::max(x0, x1));
        auto* row = reinterpret_cast<QRgb*>(bits + y0 * stride);
        for (int x = a; x <= b; ++x)
            row[x] = colour;
        return;
    }
    if (x0 < 0 || x0 >= w)
        return;
    const int a = std::max(0, std::min(y0, y1));
    const int b = std::min(h - 1, std::max(y0, y1));
    for (int y = a; y <= b; ++y)
        reinterpret_cast<QRgb*>(bits + y * stride)[x0] = colour;
}

void outlineRect(QPainter& p, int x0, int y0, int x1, int y1) {
    axisLine(p, x0, y0, x1, y0);
    axisLine(p, x0, y1, x1, y1);
    axisLine(p, x0, y0, x0, y1);
    axisLine(p, x1, y0, x1, y1);
}

void drawSeries(QImage& bitmap, const SeriesDrawing& d) {
    QPainter p;
    beginGraphPainter(p, bitmap);
    const Frame f(bitmap.width(), bitmap.height());
    switch (d.form) {
    case SeriesDrawing::MonthLines:
        drawMonthLines(p, f, *d.hourly, d.days, d.series);
        break;
    case SeriesDrawing::DayLines:
        drawDayLines(p, f, *d.lists, d.series);
        break;
    case SeriesDrawing::DayBars:
        if (d.barStat < 0 || d.barStat >= LevelStatCount)
            throw DataError(QStringLiteral("レベルが選択されていません。"));
        drawDayBars(p, f, (*d.lists)[static_cast<size_t>(d.barStat)]);
        break;
    }
}

void beginGraphPainter(QPainter& p, QImage& bitmap) {
    p.begin(&bitmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    QFont font(platform::uiFontFamily());
    font.setPixelSize(11);
    p.setFont(font);
}

} // namespace moravel::graph
