#pragma once

#include "data/Levels.h"
#include "data/Raw.h"

#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace moravel::data {

// A run of seconds above a threshold: [start, end) in seconds of the day, its highest second and
// when, its energy average and its sound exposure level (Leq + 10·log10 of the duration in
// seconds), in tenths of a decibel.
struct Event {
    int start = 0, end = 0;
    int peak = 0, peakAt = 0;
    int leq = 0, sel = 0;
    bool coinciding = false; // an event of the other channel overlaps it in time

    int duration() const { return end - start; }
    bool operator==(const Event& o) const {
        return start == o.start && end == o.end && peak == o.peak && peakAt == o.peakAt && leq == o.leq &&
               sel == o.sel && coinciding == o.coinciding;
    }
};

// Runs closer together than this many seconds are one event.
constexpr int DefaultEventGap = 5;

// The events of the seconds [first, last) of a channel: runs of valid seconds whose level is above
// `threshold` (tenths of a decibel), merged when fewer than `gap` seconds lie between them. A
// second without a sample ends a run. Leq and SEL count every valid second of the event.
QList<Event> events(const RawChannel& channel, int first, int last, int threshold, int gap = DefaultEventGap);
// Marks the events of each channel that overlap an event of the other.
void markCoinciding(QList<Event>& s, QList<Event>& v);

// How a ten-minute entry is judged against the reference: by the day file's statistic (L05 for
// noise, L10 for vibration, or the level chosen), by its Lmax, or by the peaks of the events that end
// in the entry: their arithmetic mean, or the upper end of their 90 % range (L05 of the peaks).
enum class Method { Statistic, Lmax, MaximaMean, Maxima90 };
// "statistic", "lmax", "maxima-mean", "maxima-90", and back (nothing for another name).
QString methodName(Method method);
std::optional<Method> methodOf(const QString& name);
// The methods as a user chooses them: "統計値（L05）", "Lmax", "最大値の平均", "最大値の90%上端".
QString methodTitle(Method method, int level);
bool byMaxima(Method method);

// The judged value of each ten-minute entry under a maxima method, in decibels to one decimal
// (rounded half away from zero); NaN for an entry in which no event ends.
std::array<double, SlotsPerDay> maximaValues(const QList<Event>& events, Method method);

// The events of a day's two channels: each above its threshold (tenths of a decibel; none where
// the channel has no reference value), those that overlap marked as coinciding; where a channel has
// no raw seconds, why.
struct DayEvents {
    QString stem;
    std::optional<int> sThreshold, vThreshold;
    QList<Event> s, v;
    QString sReason, vReason;
};
DayEvents dayEvents(const RawDay& raw, std::optional<int> sThreshold, std::optional<int> vThreshold,
                    int gap = DefaultEventGap);

// The default threshold of the events of a channel: its reference value less 10 dB, in tenths.
inline int defaultThreshold(int reference) {
    return (reference - 10) * 10;
}

} // namespace moravel::data
