#pragma once

#include "data/Levels.h"

#include <QList>
#include <QPainter>
#include <QStringList>

namespace moravel::graph {

// The frame of a level graph on a bitmap of integer width w and height h: plot height H = h - 10,
// plot width W = w - 35, the level scale from 100 dB at the top to the 20 dB baseline in nine parts
// of H/9, the time axis below it. Quotients are computed in double precision and then multiplied,
// in the order written, and Floor rounds toward minus infinity.
struct Frame {
    int w = 0, h = 0;
    Frame(int width, int height) : w(width), h(height) {}
    int plotHeight() const { return h - 10; }
    int plotWidth() const { return w - 35; }
    // Grid line of step i (0..8), standing for 100 - 10 i dB.
    int gridY(int i) const;
    int baseline() const { return gridY(8); }
    // Where a level step G (whole dB above 20 dB) is drawn.
    int stepY(int step) const;
};

// The period of a month frame: item indexes of the first and last day in the period lists (-1 for
// no selection) and the texts of the first-day list ("yyyy年mm月dd日").
struct MonthAxis {
    int start = -1;
    int stop = -1;
    QStringList entries;
};

// The day frame: level axis and dashed grid, the 24-hour time axis, the 30 dB line and the line of
// the reference level (whole dB). Draws with the painter's current font.
void drawDayFrame(QPainter& p, const Frame& f, int reference);
// The month frame: the same with a time axis of the days of the period.
void drawMonthFrame(QPainter& p, const Frame& f, int reference, const MonthAxis& axis);

// The step of a level text: Trunc(v - 20), capped at 80 (a level above 100 dB is drawn at 100 dB).
// A step below 1 is not drawn. Throws DataError for a text that is not a number.
int levelStep(QStringView text);

// Day bars of one quantity: 144 outlined black bars, four pixels wide. Empty entries are skipped.
void drawDayBars(QPainter& p, const Frame& f, const QStringList& levels);
// Day lines: every series (LevelStat indexes, drawn in that order within each segment) as a
// polyline over the 144 intervals, broken at invalid points.
void drawDayLines(QPainter& p, const Frame& f, const data::LevelLists& lists, const QList<int>& series);
// Month lines over the hours of a period of `days` days (nothing below 1), joined across days.
void drawMonthLines(QPainter& p, const Frame& f, const data::HourlyMaxima& hourly, int days,
                    const QList<int>& series);

// A horizontal or vertical line, both end pixels included, in the painter's pen colour: the pixels
// of QPainter::drawLine. On a bitmap it sets the pixels itself, because the raster engine hands
// every such line to its thread pool, which costs more than the line.
void axisLine(QPainter& p, int x0, int y0, int x1, int y1);
// The outline of the rectangle from (x0, y0) to (x1, y1), both corners included (QPainter::drawRect
// of QRect(x0, y0, x1 - x0, y1 - y0)).
void outlineRect(QPainter& p, int x0, int y0, int x1, int y1);

// What the level drawing of one channel needs, read from the main window beforehand, so that the
// drawing itself touches no control.
struct SeriesDrawing {
    enum Form { DayBars, DayLines, MonthLines } form = DayBars;
    const data::LevelLists* lists = nullptr;   // day forms
    const data::HourlyMaxima* hourly = nullptr; // month lines
    int barStat = -1;                           // day bars: the LevelStat drawn
    int days = 0;                               // month lines: the period's days
    QList<int> series;                          // line forms
};
// Draws the levels onto a framed bitmap. Throws DataError where a level is not a number.
void drawSeries(QImage& bitmap, const SeriesDrawing& drawing);

// Prepares a painter on an off-screen bitmap for graph drawing: aliased, the label font.
void beginGraphPainter(QPainter& p, QImage& bitmap);

} // namespace moravel::graph
