#pragma once

#include "data/Levels.h"

#include <QStringList>

namespace moravel::data {

// The time window of the day, in minutes after midnight. Start equal to stop means the whole day.
struct TimeWindow {
    int start = 0;
    int stop = 0;

    static TimeWindow fromHoursMinutes(int startHour, int startMinute, int stopHour, int stopMinute) {
        return {startHour * 60 + startMinute, stopHour * 60 + stopMinute};
    }
    // Whether the interval starting at `minute` lies in the window.
    bool contains(int minute) const;
};

// Lays the data rows of a loaded pair onto the 144 ten-minute intervals of the day: channel V from
// the .LVC lines into `lv` first, then channel S from the .LAC lines into `la`. The nine lists of
// each are emptied first and hold exactly 144 texts each afterwards: the file's texts, or "000.0"
// for an interval that is missing, unreadable or outside the window. The rows of a pair end where
// the shorter file ends. Throws DataError when a file has no line 17 where a row is expected; the
// lists then keep what was gathered up to there.
// With `sValues` and `vValues`, also every interval's numbers of each channel, whatever the window
// (NaN where an interval holds none), and with `sBroken` and `vBroken` the texts that are neither.
void gatherDay(const QStringList& lac, const QStringList& lvc, const TimeWindow& window, LevelLists& la,
               LevelLists& lv, DayValues* sValues = nullptr, DayValues* vValues = nullptr,
               QList<BrokenLevel>* sBroken = nullptr, QList<BrokenLevel>* vBroken = nullptr);

// One pass over one file into one set of nine lists (the lists are appended to). `limit` is the line
// count at which the rows of the pair end.
void gatherPass(const QStringList& file, qsizetype limit, const TimeWindow& window, LevelLists& out,
                DayValues* values = nullptr, QList<BrokenLevel>* broken = nullptr);

// The weekday (Monday = 0) of the day's first data row (line 17), read from its date field.
// Throws DataError when the row or its date cannot be read.
int firstRowWeekday(const QStringList& lac);

// Appends the hourly maxima (24 per quantity) and the daily maximum of one day to the month lists,
// or 24 + 1 zeros per quantity for a day that is not a construction day. A "---.-" in a day list is
// first replaced by "0" there. Throws DataError when an hourly entry is not a number (what was
// appended before stays).
void appendDayMaxima(LevelLists& day, bool constructionDay, MonthLists& hourly, MonthLists& daily);

} // namespace moravel::data
