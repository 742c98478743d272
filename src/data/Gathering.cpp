#include "data/Gathering.h"

#include <cmath>

#include "common/Checked.h"
#include "common/DateText.h"
#include "common/Errors.h"
#include "common/Fields.h"

#include <algorithm>
#include <limits>

namespace moravel::data {

bool TimeWindow::contains(int minute) const {
    int s = start;
    int e = stop;
    if (s == e) {
        s = 0;
        e = 23 * 60 + 59;
    }
    if (s < e)
        return s <= minute && minute < e;
    return minute >= s || minute < e;
}

void gatherPass(const QStringList& file, qsizetype limit, const TimeWindow& window, LevelLists& out,
                DayValues* values, QList<BrokenLevel>* broken) {
    if (values)
        for (auto& stat : *values)
            stat.fill(std::numeric_limits<double>::quiet_NaN());
    const QString missing = noLevel();
    const QString undetermined = QStringLiteral("---.-");
    FieldSplitter fields;
    qsizetype row = FirstDataLine;
    bool ended = false;
    for (int slot = 0; slot < SlotsPerDay; ++slot) {
        const int slotMinute = slot * 10;
        if (ended) {
            for (auto& list : out)
                list.append(missing);
            continue;
        }
        const int count = fields.split(lineAt(file, row));
        int rowMinute = slotMinute;
        Stamp stamp;
        if (count >= 2 && readStamp(fields[0], fields[1], stamp))
            rowMinute = stamp.hour * 60 + stamp.minute;
        bool advance = true;
        if (count != 11) {
            for (auto& list : out)
                list.append(missing);
        } else if (rowMinute != slotMinute) {
            // A gap in the file: the row is compared again with the next interval.
            for (auto& list : out)
                list.append(missing);
            advance = false;
        } else {
            // The row belongs to this interval: its numbers whatever the window, its texts within it.
            if (values)
                for (int i = 0; i < LevelStatCount; ++i) {
                    double v = 0;
                    const QStringView t = fields[i + 2];
                    if (tryLevelValue(t, v) && std::fabs(v) < MaxLevel)
                        (*values)[static_cast<size_t>(i)][static_cast<size_t>(slot)] = v;
                    else if (broken && !t.trimmed().isEmpty() && t != undetermined)
                        broken->append({slot, i, t.toString()});
                }
            const bool inside = window.contains(slotMinute);
            for (int i = 0; i < LevelStatCount; ++i) {
                const QStringView v = fields[i + 2];
                out[static_cast<size_t>(i)].append(
                    !inside || v.isEmpty() || v == undetermined ? missing : v.toString());
            }
        }
        if (advance) {
            ++row;
            if (row >= limit)
                ended = true;
        }
    }
}

void gatherDay(const QStringList& lac, const QStringList& lvc, const TimeWindow& window, LevelLists& la,
               LevelLists& lv, DayValues* sValues, DayValues* vValues, QList<BrokenLevel>* sBroken,
               QList<BrokenLevel>* vBroken) {
    for (auto& l : la)
        l.clear();
    for (auto& l : lv)
        l.clear();
    for (auto& l : la)
        l.reserve(SlotsPerDay);
    for (auto& l : lv)
        l.reserve(SlotsPerDay);
    const qsizetype limit = std::min(lac.size(), lvc.size());
    gatherPass(lvc, limit, window, lv, vValues, vBroken);
    gatherPass(lac, limit, window, la, sValues, sBroken);
}

int firstRowWeekday(const QStringList& lac) {
    const QStringList fields = splitFields(lineAt(lac, FirstDataLine));
    return weekdayOfRowDate(entryAt(fields, 0, "データ行"));
}

void appendDayMaxima(LevelLists& day, bool constructionDay, MonthLists& hourly, MonthLists& daily) {
    const QString zero = QStringLiteral("0");
    for (int i = 0; i < LevelStatCount; ++i) {
        QStringList& list = day[static_cast<size_t>(i)];
        QStringList& hours = hourly[static_cast<size_t>(i)];
        QStringList& days = daily[static_cast<size_t>(i)];
        if (!constructionDay) {
            for (int h = 0; h < 24; ++h)
                hours.append(zero);
            days.append(zero);
            continue;
        }
        for (int h = 0; h < 24; ++h) {
            qint64 best = 0;
            for (int k = 0; k < 6; ++k) {
                const qsizetype at = 6 * h + k;
                entryAt(list, at, "レベル");
                if (list[at] == u"---.-")
                    list[at] = zero;
                const qint64 v = levelFloored(list[at]);
                if (k == 0 || v > best)
                    best = v;
            }
            hours.append(QString::number(best));
        }
        // The hourly pass has read every entry as a number already.
        qint64 best = 0;
        bool first = true;
        for (const QString& text : std::as_const(list)) {
            const qint64 whole = levelFloored(text);
            if (first || whole > best)
                best = whole;
            first = false;
        }
        days.append(QString::number(best));
    }
}

} // namespace moravel::data
