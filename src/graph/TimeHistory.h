#pragma once

#include "data/Raw.h"

#include <QColor>
#include <QPainter>
#include <QRect>
#include <vector>

namespace moravel::graph {

// The seconds of a day a time history shows: [first, last).
struct TimeView {
    int first = 0;
    int last = data::SecondsPerDay;

    int length() const { return last - first; }
    bool operator==(const TimeView& o) const { return first == o.first && last == o.last; }
};

// The shortest view: a minute across the graph.
constexpr int ShortestView = 60;

// The x of a second's start in a plot `width` pixels wide, and the second under an x.
double xOfSecond(const TimeView& view, int width, double second);
int secondAtX(const TimeView& view, int width, double x);

// Zoomed by `factor` (below 1 closer, above 1 further) around `anchor`, which stays where it is on
// the screen; kept within the day and no shorter than ShortestView.
TimeView zoomed(const TimeView& view, double factor, double anchor);
// Moved by `seconds`, within the day.
TimeView panned(const TimeView& view, int seconds);

// The lowest and highest valid second under each pixel column, so that no peak disappears at any
// zoom; `any` is false for a column without a valid second.
struct ColumnRange {
    int low = 0, high = 0; // tenths of a decibel
    bool any = false;
};
std::vector<ColumnRange> columnRanges(const data::RawChannel& channel, const TimeView& view, int width);

// One channel's time history in `plot`: the 20–100 dB scale of the graphs with its dashed grid, the
// reference line (whole dB, red), the range of each pixel column as a vertical stroke, or single
// seconds as steps when a pixel holds less than a second.
void drawTimeHistory(QPainter& p, const QRect& plot, const data::RawChannel& channel, const TimeView& view,
                     int reference, const QColor& colour);

} // namespace moravel::graph
