#include "data/Tables.h"

#include "common/Checked.h"
#include "common/DateText.h"
#include "common/LevelStat.h"

namespace moravel::data {

QString wholeLevel(QStringView level) {
    return QString::number(levelTruncated(level));
}

DayCells dayCells(const QStringList& levels) {
    DayCells cells;
    cells.texts.reserve(levels.size());
    try {
        for (const QString& level : levels)
            cells.texts.append(wholeLevel(level));
    } catch (const std::exception&) {
        cells.complete = false;
    }
    return cells;
}

MonthTable monthTable(const MonthTableRequest& in) {
    MonthTable table;
    for (int stat : in.sColumns)
        table.sHeadings.append(levelStatName(stat));
    for (int stat : in.vColumns)
        table.vHeadings.append(levelStatName(stat));
    table.withDates = in.first >= 0;
    const int days = in.last - in.first;
    for (int d = 0; d <= days; ++d) {
        const auto sd = static_cast<size_t>(d);
        MonthTable::Row row;
        if (table.withDates) {
            try {
                row.date = dateWithWeekday(in.dateTexts.value(in.first + d));
            } catch (const std::exception&) {
                table.complete = false;
                return table;
            }
        }
        row.sOverview = in.la->at(static_cast<size_t>(in.sStat)).at(sd);
        row.vOverview = in.lv->at(static_cast<size_t>(in.vStat)).at(sd);
        for (int stat : in.sColumns)
            row.sValues.append((*in.la)[static_cast<size_t>(stat)].at(sd));
        for (int stat : in.vColumns)
            row.vValues.append((*in.lv)[static_cast<size_t>(stat)].at(sd));
        table.rows.append(row);
    }
    return table;
}

} // namespace moravel::data
