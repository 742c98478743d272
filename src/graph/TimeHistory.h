#pragma once

#include "data/Raw.h"

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>
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
// The seconds [a, b) or [b, a) as a view: within the day and no shorter than ShortestView, around
// the middle of the two.
TimeView spanned(int a, int b);

// The lowest and highest valid second under each pixel column, so that no peak disappears at any
// zoom; `any` is false for a column without a valid second.
struct ColumnRange {
    int low = 0, high = 0; // tenths of a decibel
    bool any = false;
};
std::vector<ColumnRange> columnRanges(const data::RawChannel& channel, const TimeView& view, int width);

// The seconds between two time labels of a view about `width` pixels wide: whole hours, minutes or
// seconds, no closer than about 70 pixels. And the label of a second at that step: "10:00" for hours
// and minutes, "10:42:30" for seconds.
int timeLabelStep(int length, int width);
QString timeLabel(int second, int step);

// hh:mm:ss of a second of the day; 86400 is "24:00:00".
QString clockText(int second);

// The colours of the time history: noise, vibration, and the day file's entries.
QColor noiseColour();
QColor vibrationColour();
QColor entryColour();

// One channel's time history in `plot`: the 20–100 dB scale of the graphs with its dashed grid, the
// reference line (whole dB, red), the range of each pixel column as a vertical stroke, or single
// seconds as steps when a pixel holds less than a second; then the day file's ten-minute entries
// (`entries`, 144 or none) as a faint step line.
void drawTimeHistory(QPainter& p, const QRect& plot, const data::RawChannel& channel, const TimeView& view,
                     int reference, const QColor& colour, const std::vector<std::int16_t>& entries = {});

// Where the parts of a time history of both channels lie in `area`: the level labels left of the
// plots, a title line above each plot, noise above vibration, the time labels under them.
struct TimeHistoryLayout {
    QRect noise, vibration, axis;
    static TimeHistoryLayout of(const QRect& area);
};

// Both channels of a day on one time axis in `area` (white behind it): each plot with its title,
// its scale and reference line (whole dB) and the day file's entries; a channel without seconds
// says why in its plot.
void drawTimeHistoryPair(QPainter& p, const QRect& area, const data::RawDay& day, const TimeView& view,
                         int noiseReference, int vibrationReference);

// Nothing to show: an empty frame over the plots and one line that says why.
void drawTimeHistoryMessage(QPainter& p, const QRect& area, const QString& why);

} // namespace moravel::graph
