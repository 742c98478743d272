#pragma once

#include "data/Choices.h"
#include "data/Levels.h"

#include <QImage>
#include <QList>
#include <QPainter>
#include <QStringList>
#include <array>

namespace moravel::graph {

// Where a level graph's plot lies on its surface: the level axis at x = left, the 100 dB line at
// y = top, the plot `width` wide and `height` high. The height is divided into nine equal parts, one
// per 10 dB from 100 dB down to the 20 dB baseline, and a ninth part below it for the time labels.
// Quotients are computed in double precision and then multiplied, in the order written, and Floor
// rounds toward minus infinity.
struct Plot {
    int left = 25;
    int top = 8;
    int width = 0;  // W
    int height = 0; // H

    // The plot of an on-screen bitmap of w x h: W = w - 35, H = h - 10.
    static Plot ofBitmap(int w, int h) { return {25, 8, w - 35, h - 10}; }
    int right() const { return left + width; }
    // Grid line of step i (0..8), standing for 100 - 10 i dB: top + Floor(H/9 i).
    int gridY(int i) const;
    int baseline() const { return gridY(8); }
    // Where a level step G (whole dB above 20 dB) is drawn: the baseline - Floor(H/90 G).
    int stepY(int step) const;
};

// How a graph is drawn: the on-screen bitmaps and the report page differ in a few details, which
// are these.
struct GraphStyle {
    int labelPixels = 11;           // font size of the axis labels
    int levelLabelLeft = -23;       // the level labels' 20 x 10 boxes start this far from the axis
    bool onlyTopLabelLeft = true;   // "100" left-aligned and the others centred, or all left-aligned
    int gridFrom = -1;              // the grid lines start this far from the level axis
    int axisAbove = 3;              // the level axis starts this far above the 100 dB line
    int axisBelow = 1;              // and ends this far below the baseline
    int tickLength = 3;             // the ticks run from one below the baseline this far down
    int timeLabelTop = 2;           // the time labels' 20 x 20 boxes start this far below the baseline
    bool hourLabelsCentred = false; // centred under the tick, or left-aligned from 3 (hours up to
                                    // 10) or 5 pixels left of it
    bool roundedMarkers = false;    // the 30 dB and reference lines on whole rows, rounded down
    bool roundedMonthX = false;     // the hourly points of a period on whole columns, rounded down
    double barWidth = 4;            // bars this many pixels wide,
    bool barOfInterval = false;     // or this share of an interval wide
    bool emptyLevelIsGap = true;    // an empty level text leaves a gap in the bars instead of failing
    bool axisWithoutDays = true;    // a period of no days keeps its level axis

    // The graphs of the main window's images.
    static GraphStyle screen();
    // The graphs of the report page.
    static GraphStyle page();
};

// The period of a month frame: item indexes of the first and last day in the period lists (-1 for
// no selection) and the texts of the first-day list ("yyyy年mm月dd日").
struct MonthAxis {
    int start = -1;
    int stop = -1;
    QStringList entries;
};

// The day frame: level axis and dashed grid with their labels, the 24-hour time axis, the 30 dB line
// and the line of the reference level (whole dB), in black and red.
void drawDayFrame(QPainter& p, const Plot& plot, const GraphStyle& style, int reference);
// The month frame: the same with a time axis of the days of the period.
void drawMonthFrame(QPainter& p, const Plot& plot, const GraphStyle& style, int reference,
                    const MonthAxis& axis);

// The step of a level text: Trunc(v - 20), capped at 80 (a level above 100 dB is drawn at 100 dB).
// A step below 1 is not drawn. Throws DataError for a text that is not a number.
int levelStep(QStringView text);

// What the levels of one channel are drawn from.
struct SeriesDrawing {
    enum Form { DayBars, DayLines, MonthLines } form = DayBars;
    const data::LevelLists* lists = nullptr;    // day forms: the 144 intervals per LevelStat
    const data::HourlyMaxima* hourly = nullptr; // month lines
    int barStat = -1;                           // day bars: the LevelStat drawn
    int days = 0;                               // month lines: the period's days
    QList<int> series;                          // line forms: LevelStat indexes, drawn in this order
};

// What the levels of a channel (0 noise, 1 vibration) are drawn from by the choices: the period's
// hourly maxima as lines, or the day's intervals as lines of the chosen series or as bars of the
// chosen level.
SeriesDrawing seriesDrawing(const data::DisplayChoices& choices, const data::CardData& data, int channel);
// The time axis of the month frame of the chosen period.
MonthAxis monthAxis(const data::DisplayChoices& choices);

// The level steps of hour 23 of a period's last day, one per position in the series list: what the
// report keeps from one day to the next to join them.
using DayJoins = std::array<int, 9>;

// Draws the levels onto a framed plot: day bars (outlined, black), day lines (every series a
// polyline over the 144 intervals, broken at invalid points) or month lines (over the hours of the
// period, joined across days). Throws DataError where a level is not a number or missing.
void drawLevels(QPainter& p, const Plot& plot, const GraphStyle& style, const SeriesDrawing& drawing,
                DayJoins* joins = nullptr);

// A fresh off-screen bitmap for drawing: 32-bit ARGB, opaque white.
QImage newBitmap(int width, int height);
// Prepares a painter on an off-screen bitmap for graph drawing: aliased lines, antialiased text.
void beginGraphPainter(QPainter& p, QImage& bitmap);

// A horizontal or vertical line, both end pixels included, in the painter's pen colour: the pixels
// of QPainter::drawLine. On a bitmap it sets the pixels itself, because the raster engine hands
// every such line to its thread pool, which costs more than the line.
void axisLine(QPainter& p, int x0, int y0, int x1, int y1);
// The outline of the rectangle from (x0, y0) to (x1, y1), both corners included (QPainter::drawRect
// of QRect(x0, y0, x1 - x0, y1 - y0)).
void outlineRect(QPainter& p, int x0, int y0, int x1, int y1);

} // namespace moravel::graph
