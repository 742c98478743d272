#include "graph/GraphDrawing.h"

#include "common/Checked.h"
#include "common/DateText.h"
#include "common/Errors.h"
#include "common/LevelStat.h"
#include "platform/Fonts.h"

#include <cmath>
#include <vector>

namespace moravel::graph {

namespace {

const QColor Black(0xFF000000u);
const QColor Red(0xFFFF0000u);

int floorOf(double v) {
    return static_cast<int>(std::floor(v));
}

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

// A dashed horizontal line from x0 to x1 on row y in the painter's pen: four pixels on, two off,
// from x0 on. Each dash is a line of its own, written straight into a bitmap and a filled rectangle
// elsewhere (a PDF), so that the page rendered at its resolution has the bitmap's dashes. (The
// painter's own dashes give the same pixels, but hand the long row of short spans to the raster
// engine's thread pool, which on two cores costs more than the drawing.)
void dashedLine(QPainter& p, int x0, int y, int x1) {
    for (int x = x0; x <= x1; x += 6)
        axisLine(p, x, y, std::min(x + 3, x1), y);
}

void setLabelFont(QPainter& p, const GraphStyle& style) {
    QFont font(platform::uiFontFamily());
    font.setPixelSize(style.labelPixels);
    p.setFont(font);
}

void drawLevelAxis(QPainter& p, const Plot& plot, const GraphStyle& style) {
    const double H = plot.height;
    p.setBrush(Black);
    p.setPen(solidPen(Black));
    for (int i = 0; i <= 8; ++i) {
        const int y = plot.gridY(i);
        if (i == 8)
            axisLine(p, plot.left + style.gridFrom, y, plot.right(), y);
        else
            dashedLine(p, plot.left + style.gridFrom, y, plot.right());
    }
    for (int i = 0; i <= 8; ++i) {
        const QRect box(plot.left + style.levelLabelLeft, plot.top + floorOf(H / 9 * i) - 5, 20, 10);
        const bool left = i == 0 || !style.onlyTopLabelLeft;
        boxText(p, box, (left ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter,
                QString::number(100 - 10 * i));
    }
}

// The level axis at the first position of the time axis, a tick at every other.
void drawTimePosition(QPainter& p, const Plot& plot, const GraphStyle& style, int i, int x) {
    const int base = plot.baseline();
    if (i == 0)
        axisLine(p, plot.left, plot.top - style.axisAbove, plot.left, base + style.axisBelow);
    else
        axisLine(p, x, base + 1, x, base + 1 + style.tickLength);
}

void drawMarkerLines(QPainter& p, const Plot& plot, const GraphStyle& style, int reference) {
    const double H = plot.height;
    p.setPen(solidPen(Red));
    if (style.roundedMarkers) {
        const int y30 = floorOf(plot.top + H / 90 * 70);
        axisLine(p, plot.left, y30, plot.right(), y30);
        const int yr = floorOf(plot.top + H / 90 * (100 - reference));
        axisLine(p, plot.left, yr, plot.right(), yr);
        return;
    }
    const double y30 = H / 9 * 7 + plot.top;
    p.drawLine(QPointF(plot.left, y30), QPointF(plot.right(), y30));
    const double yr = (H / 9) * (100 - reference) / 10 + plot.top;
    p.drawLine(QPointF(plot.left, yr), QPointF(plot.right(), yr));
}

} // namespace

GraphStyle GraphStyle::screen() {
    return GraphStyle();
}

GraphStyle GraphStyle::page() {
    GraphStyle s;
    s.labelPixels = 12;
    s.levelLabelLeft = -25;
    s.onlyTopLabelLeft = false;
    s.gridFrom = 0;
    s.axisAbove = 0;
    s.axisBelow = 0;
    s.tickLength = 6;
    s.timeLabelTop = 10;
    s.hourLabelsCentred = true;
    s.roundedMarkers = true;
    s.roundedMonthX = true;
    s.barWidth = 0.7;
    s.barOfInterval = true;
    s.emptyLevelIsGap = false;
    s.axisWithoutDays = false;
    return s;
}

int Plot::gridY(int i) const {
    return top + floorOf(static_cast<double>(height) / 9 * i);
}

int Plot::stepY(int step) const {
    const double H = height;
    return top + floorOf(H / 9 * 8) - floorOf(H / 90 * step);
}

void drawDayFrame(QPainter& p, const Plot& plot, const GraphStyle& style, int reference) {
    setLabelFont(p, style);
    drawLevelAxis(p, plot, style);
    const double W = plot.width;
    const int labelTop = plot.baseline() + style.timeLabelTop;
    p.setPen(solidPen(Black));
    for (int i = 0; i <= 12; ++i) {
        const int x = floorOf(W / 12 * i) + plot.left;
        drawTimePosition(p, plot, style, i, x);
        const QString label = QString::number(2 * i);
        if (style.hourLabelsCentred)
            boxText(p, QRect(x - 10, labelTop, 20, 20), Qt::AlignHCenter | Qt::AlignVCenter, label);
        else
            boxText(p, QRect(x - (2 * i <= 10 ? 3 : 5), labelTop, 20, 20), Qt::AlignLeft | Qt::AlignVCenter,
                    label);
    }
    drawMarkerLines(p, plot, style, reference);
}

void drawMonthFrame(QPainter& p, const Plot& plot, const GraphStyle& style, int reference,
                    const MonthAxis& axis) {
    setLabelFont(p, style);
    drawLevelAxis(p, plot, style);
    const double W = plot.width;
    const int labelTop = plot.baseline() + style.timeLabelTop;
    const int s = axis.start;
    const int days = axis.stop - axis.start + 1;
    p.setPen(solidPen(Black));
    if (days == 0 && style.axisWithoutDays) {
        // A stop entry one below the start: no day to divide the axis into; the axis alone.
        drawTimePosition(p, plot, style, 0, plot.left);
    }
    for (int i = 0; days > 0 && i <= days; ++i) {
        const int x = floorOf(W / days * i) + plot.left;
        drawTimePosition(p, plot, style, i, x);
        if (s == -1)
            continue;
        const QString label = i < days ? axisDayLabel(entryAt(axis.entries, s + i, "日付一覧"))
                                       : closingDayLabel(entryAt(axis.entries, s + days - 1, "日付一覧"));
        boxText(p, QRect(x - 10, labelTop, 20, 20), Qt::AlignCenter, label);
    }
    drawMarkerLines(p, plot, style, reference);
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

namespace {

void drawDayBars(QPainter& p, const Plot& plot, const GraphStyle& style, const QStringList& levels) {
    const double W = plot.width;
    const int base = plot.baseline();
    p.setPen(solidPen(Black));
    p.setBrush(Qt::NoBrush);
    for (int a = 0; a < data::SlotsPerDay; ++a) {
        const QString& text = entryAt(levels, a, "レベル");
        if (text.isEmpty() && style.emptyLevelIsGap)
            continue;
        const int g = levelStep(text);
        if (g < 1)
            continue;
        const int x0 = floorOf(W / data::SlotsPerDay * a + plot.left);
        const int x1 = style.barOfInterval
                           ? floorOf(plot.left + W / data::SlotsPerDay * (a + style.barWidth))
                           : floorOf(W / data::SlotsPerDay * a + (plot.left + style.barWidth));
        outlineRect(p, x0, plot.stepY(g), x1, base);
    }
}

// The y of every point of every series, -1 for a point that is not drawn, all read before anything
// is drawn.
template <class Text>
std::vector<int> seriesYs(const Plot& plot, const QList<int>& series, int points, Text text) {
    std::vector<int> ys(static_cast<size_t>(series.size()) * static_cast<size_t>(points));
    for (int k = 0; k < series.size(); ++k)
        for (int n = 0; n < points; ++n) {
            const int g = levelStep(text(series[k], n));
            ys[static_cast<size_t>(k * points + n)] = g >= 1 ? plot.stepY(g) : -1;
        }
    return ys;
}

std::vector<QPen> seriesPens(const QList<int>& series) {
    std::vector<QPen> pens;
    for (int stat : series)
        pens.push_back(solidPen(QColor::fromRgba(levelStatColour(stat))));
    return pens;
}

void drawDayLines(QPainter& p, const Plot& plot, const data::LevelLists& lists, const QList<int>& series) {
    const double W = plot.width;
    const int points = data::SlotsPerDay;
    const std::vector<int> ys = seriesYs(plot, series, points, [&](int stat, int a) -> const QString& {
        return entryAt(lists[static_cast<size_t>(stat)], a, "レベル");
    });
    const std::vector<QPen> pens = seriesPens(series);
    for (int a = 0; a < points - 1; ++a) {
        for (int k = 0; k < series.size(); ++k) {
            const int y0 = ys[static_cast<size_t>(k * points + a)];
            const int y1 = ys[static_cast<size_t>(k * points + a + 1)];
            if (y0 < 0 || y1 < 0)
                continue;
            p.setPen(pens[static_cast<size_t>(k)]);
            const QLineF line(W / data::SlotsPerDay * a + plot.left, y0,
                              W / data::SlotsPerDay * (a + 1) + plot.left, y1);
            p.drawLines(&line, 1);
        }
    }
}

void drawMonthLines(QPainter& p, const Plot& plot, const GraphStyle& style, const data::HourlyMaxima& hourly,
                    int days, const QList<int>& series, DayJoins* joins) {
    if (days < 1)
        return;
    if (days > data::MaxPeriodDays)
        throw DataError(QStringLiteral("期間が31日を超えています。"));
    const double W = plot.width;
    const int J = 24 * days;
    auto x = [&](int n) -> double {
        return style.roundedMonthX ? plot.left + floorOf(W / J * n) : W / J * n + plot.left;
    };
    const std::vector<int> ys = seriesYs(plot, series, J, [&](int stat, int n) -> const QString& {
        return hourly[static_cast<size_t>(stat)][static_cast<size_t>(n)];
    });
    const std::vector<QPen> pens = seriesPens(series);
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
    if (joins)
        for (int k = 0; k < series.size() && k < static_cast<int>(joins->size()); ++k)
            (*joins)[static_cast<size_t>(k)] =
                std::max(0, levelStep(hourly[static_cast<size_t>(series[k])][static_cast<size_t>(J - 1)]));
}

} // namespace

void drawLevels(QPainter& p, const Plot& plot, const GraphStyle& style, const SeriesDrawing& d,
                DayJoins* joins) {
    switch (d.form) {
    case SeriesDrawing::MonthLines:
        if (!d.hourly)
            throw DataError(QStringLiteral("時間最大値がありません。"));
        drawMonthLines(p, plot, style, *d.hourly, d.days, d.series, joins);
        break;
    case SeriesDrawing::DayLines:
        if (!d.lists)
            throw DataError(QStringLiteral("レベルが選択されていません。"));
        drawDayLines(p, plot, *d.lists, d.series);
        break;
    case SeriesDrawing::DayBars:
        if (!d.lists || d.barStat < 0 || d.barStat >= LevelStatCount)
            throw DataError(QStringLiteral("レベルが選択されていません。"));
        drawDayBars(p, plot, style, (*d.lists)[static_cast<size_t>(d.barStat)]);
        break;
    }
}

SeriesDrawing seriesDrawing(const data::DisplayChoices& choices, const data::CardData& data, int channel) {
    SeriesDrawing d;
    const bool s = channel == 0;
    if (choices.monthMode()) {
        d.form = SeriesDrawing::MonthLines;
        d.hourly = s ? &data.LA_ListMaxG : &data.LV_ListMaxG;
        d.days = choices.periodDays();
        d.series = choices.series(channel);
    } else if (choices.lines) {
        d.form = SeriesDrawing::DayLines;
        d.lists = s ? &data.LA_List : &data.LV_List;
        d.series = choices.series(channel);
    } else {
        d.form = SeriesDrawing::DayBars;
        d.lists = s ? &data.LA_List : &data.LV_List;
        d.barStat = choices.stat(channel);
    }
    return d;
}

MonthAxis monthAxis(const data::DisplayChoices& choices) {
    return {choices.selection.first, choices.selection.last, choices.dateTexts};
}

QImage newBitmap(int width, int height) {
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32);
    image.setDevicePixelRatio(1.0);
    image.fill(0xFFFFFFFF);
    return image;
}

void beginGraphPainter(QPainter& p, QImage& bitmap) {
    p.begin(&bitmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

void axisLine(QPainter& p, int x0, int y0, int x1, int y1) {
    auto* image = dynamic_cast<QImage*>(p.device());
    const QPen& pen = p.pen();
    const bool direct = image && image->format() == QImage::Format_ARGB32 && (x0 == x1 || y0 == y1) &&
                        pen.style() == Qt::SolidLine && pen.widthF() <= 1.0 && pen.color().alpha() == 255 &&
                        pen.brush().style() == Qt::SolidPattern && p.transform().isIdentity() &&
                        !p.hasClipping() && p.compositionMode() == QPainter::CompositionMode_SourceOver;
    if (!direct) {
        // Off a bitmap (a PDF) the line is the rectangle of the pixels the bitmap's line covers, so
        // that the page rendered at its resolution has the same pixels.
        if (!image && (x0 == x1 || y0 == y1) && pen.style() == Qt::SolidLine && pen.widthF() <= 1.0)
            p.fillRect(
                QRect(QPoint(std::min(x0, x1), std::min(y0, y1)), QPoint(std::max(x0, x1), std::max(y0, y1))),
                pen.color());
        else
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

} // namespace moravel::graph
