#pragma once

#include "data/Events.h"
#include "data/Gathering.h"
#include "data/Levels.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace moravel::data {

// A measured day as the compliance check takes it: per channel its own day file's weekday flags
// and reference value, and the numbers of all 144 intervals.
struct DayRecord {
    QString stem; // yyyymmdd
    struct Channel {
        QString file; // the day file: "20210301.LAC"
        std::array<bool, 7> week{};
        std::optional<int> reference;
        QString referenceLine; // the reference line as written, for the message where it is no number
        DayValues values{};
        QList<BrokenLevel> broken; // level texts that are neither numbers nor gaps
        // The events of the day's raw seconds above the reference less 10 dB; nothing without a
        // raw file (or before they are read).
        std::optional<QList<Event>> events;
    };
    Channel s, v;
};

// The record of a loaded pair of day files and the numbers gathered from them.
DayRecord dayRecord(const QString& stem, const QStringList& lac, const QStringList& lvc, const DayValues& s,
                    const DayValues& v);

// A run of consecutive intervals whose level exceeds the reference, in minutes after midnight: from
// the start of its first interval to the end of its last.
struct Exceedance {
    int start = 0;
    int end = 0;
    int entries = 0;
    double peak = 0;
    bool operator==(const Exceedance& o) const {
        return start == o.start && end == o.end && entries == o.entries && peak == o.peak;
    }
};

// One day of one channel over the intervals of the time window.
struct ChannelDay {
    QString stem;
    bool recorded = true; // false for a calendar day of the period without both day files
    int weekday = 0;      // Monday 0
    bool constructionDay = false;
    int reference = 0;
    int entries = 0;           // intervals in the time window
    int valid = 0;             // of them, those whose level is a number
    std::optional<double> leq; // energy average of the numbers of Leq, one decimal
    std::optional<double> max; // the highest level
    int maxTime = -1;          // minutes of its first interval
    int exceededEntries = 0;   // intervals whose level is above the reference
    QList<Exceedance> exceedances;
    Method method = Method::Statistic; // how an interval's level is judged
    int unjudged = 0; // under a maxima method: intervals of the window in which no event ends
    // What the maxima find, whatever the method: intervals whose Lmax is above the reference, and
    // (with the raw seconds) those whose upper end of the 90 % range of the peaks is.
    int lmaxExceeded = 0;
    std::optional<int> maxima90Exceeded;
    // Intervals above the reference by a maxima method other than the one chosen but not by it, and
    // the warning that says so: "最大値による判定では基準値を超えています（n区間）".
    int warningEntries = 0;
    QString warning;
    // The events of the day that end in the window (with the raw seconds).
    QList<Event> events;
    bool hasEvents = false;
};

// The compliance of a day or a period with the reference values: per channel, the level examined and every
// day.
struct Compliance {
    TimeWindow window;
    int sLevel = L05;
    int vLevel = L10;
    Method sMethod = Method::Statistic;
    Method vMethod = Method::Statistic;
    QList<ChannelDay> s, v;
};

// The compliance of one channel of a day: the intervals of the window (a start equal to the stop is the
// whole day), the level `level`, the day's own reference. Throws DataError naming the day file where
// its reference is not a whole number or a level within the window is neither a number (of a
// sensible size) nor a gap, and for a day whose date cannot be read.
// The interval's judged value is the level `level` of the day file, its Lmax, or what the events
// of the raw seconds give (`method`).
ChannelDay complianceOfChannel(const QString& stem, const DayRecord::Channel& channel,
                               const TimeWindow& window, int level, Method method = Method::Statistic);
Compliance complianceOf(const QList<DayRecord>& days, const TimeWindow& window, int sLevel, int vLevel,
                        Method sMethod = Method::Statistic, Method vMethod = Method::Statistic);
// The same over every calendar day from `first` to `last` (yyyymmdd): a day without both day files
// is listed as not recorded, with no interval measured.
Compliance complianceOf(const QList<DayRecord>& days, const TimeWindow& window, int sLevel, int vLevel,
                        const QString& first, const QString& last, Method sMethod = Method::Statistic,
                        Method vMethod = Method::Statistic);

// Reads the raw seconds of each day of the card directory and puts their events into the records:
// above each channel's reference less 10 dB, those of noise and vibration that overlap marked as
// coinciding. A day without a raw file of a channel keeps no events for it.
void addEvents(QList<DayRecord>& days, const QString& card);
void addEvents(DayRecord& day, const RawDay& raw);

// "最大値による判定では基準値を超えています（n区間）"
QString maximaWarning(int entries);

// The columns of the compliance tables of the window's tab and of the report's page: the headings, and
// the cells of a channel's day ("2021/03/01(月)", "○" for a construction day, "85", "142/144",
// "98.6%", "67.4", "71.0", "08:30", "20"; "－" where there is no figure).
QStringList complianceHeadings();
QStringList complianceCells(const ChannelDay& day);
// A level as the day files write it, without their leading zeros: one decimal at least ("71.0"),
// more where the file has more ("71.25").
QString levelText(double level);
// The time window as the compliance outputs name it: "08:00-18:00", the whole day "00:00-24:00".
QString windowText(const TimeWindow& window);

// The share of the window's intervals that hold a level, in percent with one decimal ("98.6"); empty
// without intervals.
QString coverageText(const ChannelDay& day);
// "HH:MM" of minutes after midnight; 1440 is "24:00".
QString clockText(int minutes);
// "yyyy-mm-dd" of a stem yyyymmdd.
QString isoDate(const QString& stem);

} // namespace moravel::data
