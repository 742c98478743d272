#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <cstdint>
#include <vector>

namespace moravel::data {

// The raw levels of a day: one sample per second of the day and channel, in tenths of a decibel.
constexpr int SecondsPerDay = 86400;
constexpr std::int16_t RawGap = INT16_MIN; // a second without a sample, or with "---.-"

struct RawChannel {
    // SecondsPerDay samples (RawGap where there is none), or empty when the channel has no raw file.
    std::vector<std::int16_t> seconds;
    QString reason;       // why the channel is empty: the file is missing or cannot be read
    bool missing = false; // the file is not there
    // What the file held that does not fit a day, counted and left out (never a failure):
    int outOfOrder = 0;   // lines whose time is before the previous line's
    int overlapping = 0;  // samples for a second that an earlier line already gave (the first stays)
    int pastMidnight = 0; // samples after 23:59:59 of the line's day
    int otherDate = 0;    // data lines whose date is not the day's, or cannot be read
    int unreadable = 0;   // samples that are neither a level nor "---.-"

    bool empty() const { return seconds.empty(); }
    int validSeconds() const;
};

struct RawDay {
    QString stem;
    RawChannel s, v;
    // The day files' ten-minute entries shown beside the seconds: L05 of the .LAC file and L10 of
    // the .LVC file, SlotsPerDay each (RawGap where the file has none), or empty without the file.
    std::vector<std::int16_t> sEntries, vEntries;
};

// The samples of a raw level file's bytes, placed as the CSV conversion places them: the first sample
// of a data line at the line's date and time (a time field of fewer than five characters is 00:00),
// each further one a second later. A line is a data line when it holds ":" and no "ST".
RawChannel readRawChannel(const QByteArray& bytes, const QDate& day);

// Both raw files of a day of the card (stem + ".LA", stem + ".LV"); a missing or unreadable file
// gives an empty channel with its reason, not a failure of the day.
RawDay loadRawDay(const QString& card, const QString& stem);

// The level `stat` (a LevelStat) of the ten-minute entries of a day file's lines, in tenths of a
// decibel: 144 values, RawGap where no row gives the interval or its field is not a level.
std::vector<std::int16_t> tenMinuteEntries(const QStringList& lines, int stat);

// The entries of both day files of `day` (stem + ".LAC", stem + ".LVC"), as RawDay keeps them.
void loadDayFileEntries(const QString& card, RawDay& day);

// The statistics of the valid seconds of [first, last) of a channel, in tenths of a decibel. L_N:
// the n valid samples sorted from the highest to the lowest, L_N is the sample at position
// ⌈n·N/100⌉ (counting from 1). Leq is the energy average, rounded to a tenth half away from zero.
struct IntervalStats {
    int first = 0, last = 0; // the interval, seconds of the day
    int valid = 0;           // valid seconds in it; the levels below mean nothing when 0
    int leq = 0, lmax = 0, lmin = 0, l05 = 0, l10 = 0, l50 = 0, l90 = 0, l95 = 0;
    int lmaxAt = 0; // the first second that holds Lmax
};
IntervalStats intervalStats(const RawChannel& channel, int first, int last);

// A level in tenths of a decibel as the files write it: "63.5".
QString deciText(int deci);

} // namespace moravel::data
