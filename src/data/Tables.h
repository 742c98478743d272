#pragma once

#include "data/Levels.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace moravel::data {

// The text the tables and the report show for a level: the level truncated toward zero to a whole
// number ("055.9" gives "55"). Throws DataError for a text that is not a number.
QString wholeLevel(QStringView level);

// The interval cells of a day table: entry k of the levels goes to column k / 6 + 1, row k % 6 + 1.
// The texts stop before the first level that is not a number; `complete` tells whether they got to
// the end.
struct DayCells {
    QStringList texts;
    bool complete = true;
};
DayCells dayCells(const QStringList& levels);

// The month table of a period: a row per day with its date and weekday, the overview's maximum of
// the level chosen in each level combo, and a column per checked quantity of each channel.
struct MonthTable {
    struct Row {
        QString date; // "yyyy年mm月dd日(曜)"; empty when no first day is selected
        QString sOverview, vOverview;
        QStringList sValues, vValues;
    };
    QStringList sHeadings, vHeadings;
    QList<Row> rows;
    bool withDates = false;
    // False when a day's date could not be read: `rows` holds the days before it, and the vibration
    // half was not filled in.
    bool complete = true;
};

struct MonthTableRequest {
    QStringList dateTexts; // the texts of the first-day list
    int first = -1;        // the period's first and last index in that list
    int last = -1;
    int sStat = 0, vStat = 0; // the levels of the level combos
    QList<int> sColumns, vColumns;
    const DailyMaxima* la = nullptr;
    const DailyMaxima* lv = nullptr;
};
MonthTable monthTable(const MonthTableRequest& request);

// The LevelStats whose boxes are checked, in LevelStat order.
template <class Boxes> QList<int> checkedStats(const Boxes& boxes) {
    QList<int> stats;
    for (int i = 0; i < static_cast<int>(boxes.size()); ++i)
        if (boxes[static_cast<size_t>(i)])
            stats.append(i);
    return stats;
}

} // namespace moravel::data
