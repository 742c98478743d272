#include "data/Compliance.h"

#include "common/Checked.h"
#include "common/DateText.h"
#include "common/Errors.h"
#include "common/LevelStat.h"
#include "common/Text.h"
#include "data/DayHeader.h"

#include <QDate>
#include <QLocale>
#include <cmath>

namespace moravel::data {

namespace {

std::optional<int> referenceOf(const QStringList& lines, int index, const QString& key) {
    if (index >= lines.size())
        return std::nullopt;
    QString text = lines[index];
    text.remove(key);
    int value = 0;
    if (!tryToInt(text, value))
        return std::nullopt;
    return value;
}

std::array<bool, 7> weekOf(const QStringList& lines) {
    if (lines.size() <= 13)
        return {};
    return parseWeekLine(lines[13]).value_or(std::array<bool, 7>{});
}

// The energy average of levels, rounded half away from zero to one decimal.
double energyAverage(double sum, int count) {
    const double leq = 10 * std::log10(sum / count);
    // A hair toward the larger magnitude, so that a value that is a half in decimal rounds up.
    return std::round(leq * 10 + (leq < 0 ? -1e-9 : 1e-9)) / 10;
}

} // namespace

DayRecord dayRecord(const QString& stem, const QStringList& lac, const QStringList& lvc, const DayValues& s,
                    const DayValues& v) {
    DayRecord r;
    r.stem = stem;
    r.s.file = stem + QStringLiteral(".LAC");
    r.s.week = weekOf(lac);
    r.s.reference = referenceOf(lac, 9, QStringLiteral("S-ALA,"));
    r.s.referenceLine = lac.value(9);
    r.s.values = s;
    r.v.file = stem + QStringLiteral(".LVC");
    r.v.week = weekOf(lvc);
    r.v.reference = referenceOf(lvc, 11, QStringLiteral("V-ALA,"));
    r.v.referenceLine = lvc.value(11);
    r.v.values = v;
    return r;
}

QString levelText(double level) {
    const QString oneDecimal = QString::number(level, 'f', 1);
    if (oneDecimal.toDouble() == level)
        return oneDecimal;
    return QString::number(level, 'f', QLocale::FloatingPointShortest);
}

QString windowText(const TimeWindow& window) {
    if (window.start == window.stop)
        return QStringLiteral("00:00-24:00");
    return clockText(window.start) + u'-' + clockText(window.stop);
}

QStringList complianceHeadings() {
    return {QStringLiteral("日付"),      QStringLiteral("施工日"), QStringLiteral("基準値"),
            QStringLiteral("有効/区間"), QStringLiteral("有効率"), QStringLiteral("Leq"),
            QStringLiteral("最大値"),    QStringLiteral("時刻"),   QStringLiteral("超過(分)")};
}

QStringList complianceCells(const ChannelDay& d) {
    const QString none = QStringLiteral("－");
    const QString date =
        d.stem.left(4) + u'/' + d.stem.mid(4, 2) + u'/' + d.stem.mid(6, 2) + weekdayMark(d.weekday);
    const QString coverage = d.entries > 0 ? coverageText(d) + u'%' : none;
    if (!d.recorded)
        return {date, none, none, QStringLiteral("0/%1").arg(d.entries), coverage, none, none, none, none};
    return {date,
            d.constructionDay ? QStringLiteral("○") : none,
            QString::number(d.reference),
            QStringLiteral("%1/%2").arg(d.valid).arg(d.entries),
            coverage,
            d.leq ? levelText(*d.leq) : none,
            d.max ? levelText(*d.max) : none,
            d.max ? clockText(d.maxTime) : none,
            QString::number(10 * d.exceededEntries)};
}

QString coverageText(const ChannelDay& day) {
    return day.entries > 0 ? QString::number(100.0 * day.valid / day.entries, 'f', 1) : QString();
}

QString clockText(int minutes) {
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString isoDate(const QString& stem) {
    return stem.left(4) + u'-' + stem.mid(4, 2) + u'-' + stem.mid(6, 2);
}

ChannelDay complianceOfChannel(const QString& stem, const DayRecord::Channel& channel,
                               const TimeWindow& window, int level, Method method) {
    ChannelDay d;
    d.stem = stem;
    d.method = method;
    const QDate date = QDate::fromString(stem, QStringLiteral("yyyyMMdd"));
    if (!date.isValid())
        throw DataError(QStringLiteral("「%1」は日付ではありません。").arg(stem));
    if (!channel.reference)
        throw DataError(channel.file +
                        QStringLiteral("\r\nは破損しています。基準値の行「%1」が整数ではありません。")
                            .arg(excerpt(channel.referenceLine)));
    for (const BrokenLevel& b : channel.broken) {
        if (!window.contains(10 * b.slot))
            continue;
        double v = 0;
        const QString what = tryLevelValue(b.text, v) ? QStringLiteral("は測定値としてありえない大きさです。")
                                                      : QStringLiteral("は数値ではありません。");
        throw DataError(channel.file +
                        QStringLiteral("\r\nは破損しています。%1の%2「%3」")
                            .arg(clockText(10 * b.slot), levelStatName(b.stat), excerpt(b.text)) +
                        what);
    }
    d.weekday = date.dayOfWeek() - 1;
    d.constructionDay = channel.week[static_cast<size_t>(d.weekday)];
    d.reference = *channel.reference;
    // The judged value of each interval; the maxima of the raw seconds where they are read.
    const std::array<double, SlotsPerDay> none = [] {
        std::array<double, SlotsPerDay> a;
        a.fill(std::nan(""));
        return a;
    }();
    const QList<Event> noEvents;
    const QList<Event>& events = channel.events ? *channel.events : noEvents;
    const std::array<double, SlotsPerDay> maxima90 =
        channel.events ? maximaValues(events, Method::Maxima90) : none;
    const std::array<double, SlotsPerDay> judged = method == Method::Statistic
                                                       ? channel.values[static_cast<size_t>(level)]
                                                   : method == Method::Lmax     ? channel.values[Lmax]
                                                   : method == Method::Maxima90 ? maxima90
                                                   : channel.events ? maximaValues(events, Method::MaximaMean)
                                                                    : none;
    const auto& values = judged;
    const auto& measured = channel.values[static_cast<size_t>(level)];
    const auto& lmaxes = channel.values[Lmax];
    const auto& leqs = channel.values[Leq];
    d.hasEvents = channel.events.has_value();
    if (channel.events) {
        d.maxima90Exceeded = 0;
        for (const Event& e : events)
            if (window.contains(10 * ((e.end - 1) / 600)))
                d.events.append(e);
    }
    double energy = 0;
    int leqCount = 0;
    Exceedance* run = nullptr;
    int previous = -2; // the interval before, to tell a run that goes on
    for (int slot = 0; slot < SlotsPerDay; ++slot) {
        if (!window.contains(10 * slot))
            continue;
        ++d.entries;
        if (!std::isnan(leqs[static_cast<size_t>(slot)])) {
            energy += std::pow(10.0, leqs[static_cast<size_t>(slot)] / 10);
            ++leqCount;
        }
        // What the maxima find, and whether the chosen method misses it.
        const double lmax = lmaxes[static_cast<size_t>(slot)];
        const double m90 = maxima90[static_cast<size_t>(slot)];
        const bool byLmax = !std::isnan(lmax) && lmax > d.reference;
        const bool by90 = !std::isnan(m90) && m90 > d.reference;
        d.lmaxExceeded += byLmax ? 1 : 0;
        if (d.maxima90Exceeded)
            *d.maxima90Exceeded += by90 ? 1 : 0;
        const double v = values[static_cast<size_t>(slot)];
        const bool chosen = !std::isnan(v) && v > d.reference;
        if (!chosen && ((byLmax && method != Method::Lmax) || (by90 && method != Method::Maxima90)))
            ++d.warningEntries;
        if (!std::isnan(measured[static_cast<size_t>(slot)]))
            ++d.valid;
        if (std::isnan(v)) {
            d.unjudged += byMaxima(method) && !std::isnan(measured[static_cast<size_t>(slot)]) ? 1 : 0;
            run = nullptr;
            continue;
        }
        if (!d.max || v > *d.max) {
            d.max = v;
            d.maxTime = 10 * slot;
        }
        if (v > d.reference) {
            ++d.exceededEntries;
            if (!run || previous != slot - 1) {
                d.exceedances.append({10 * slot, 10 * slot + 10, 0, v});
                run = &d.exceedances.last();
            }
            run->end = 10 * slot + 10;
            ++run->entries;
            run->peak = std::max(run->peak, v);
            previous = slot;
        } else {
            run = nullptr;
        }
    }
    if (leqCount > 0)
        d.leq = energyAverage(energy, leqCount);
    if (d.warningEntries > 0)
        d.warning = maximaWarning(d.warningEntries);
    return d;
}

Compliance complianceOf(const QList<DayRecord>& days, const TimeWindow& window, int sLevel, int vLevel,
                        const QString& first, const QString& last, Method sMethod, Method vMethod) {
    Compliance c = complianceOf(days, window, sLevel, vLevel, sMethod, vMethod);
    const QDate from = QDate::fromString(first, QStringLiteral("yyyyMMdd"));
    const QDate to = QDate::fromString(last, QStringLiteral("yyyyMMdd"));
    if (!from.isValid() || !to.isValid() || to < from || from.daysTo(to) > 366)
        return c;
    int entries = 0;
    for (int slot = 0; slot < SlotsPerDay; ++slot)
        entries += window.contains(10 * slot) ? 1 : 0;
    Compliance all = c;
    all.s.clear();
    all.v.clear();
    qsizetype k = 0;
    for (QDate d = from; d <= to; d = d.addDays(1)) {
        const QString stem = d.toString(QStringLiteral("yyyyMMdd"));
        if (k < c.s.size() && c.s[k].stem == stem) {
            all.s.append(c.s[k]);
            all.v.append(c.v[k]);
            ++k;
            continue;
        }
        ChannelDay none;
        none.stem = stem;
        none.recorded = false;
        none.weekday = d.dayOfWeek() - 1;
        none.entries = entries;
        all.s.append(none);
        all.v.append(none);
    }
    // Days outside the calendar range, or out of order, stay as they were given.
    for (; k < c.s.size(); ++k) {
        all.s.append(c.s[k]);
        all.v.append(c.v[k]);
    }
    return all;
}

Compliance complianceOf(const QList<DayRecord>& days, const TimeWindow& window, int sLevel, int vLevel,
                        Method sMethod, Method vMethod) {
    Compliance s;
    s.window = window;
    s.sLevel = sLevel;
    s.vLevel = vLevel;
    s.sMethod = sMethod;
    s.vMethod = vMethod;
    for (const DayRecord& day : days) {
        s.s.append(complianceOfChannel(day.stem, day.s, window, sLevel, sMethod));
        s.v.append(complianceOfChannel(day.stem, day.v, window, vLevel, vMethod));
    }
    return s;
}

void addEvents(DayRecord& day, const RawDay& raw) {
    auto threshold = [](const std::optional<int>& reference) {
        return reference ? std::optional<int>(defaultThreshold(*reference)) : std::nullopt;
    };
    const DayEvents e = dayEvents(raw, threshold(day.s.reference), threshold(day.v.reference));
    day.s.events.reset();
    day.v.events.reset();
    if (!raw.s.empty() && day.s.reference)
        day.s.events = e.s;
    if (!raw.v.empty() && day.v.reference)
        day.v.events = e.v;
}

void addEvents(QList<DayRecord>& days, const QString& card) {
    for (DayRecord& day : days)
        addEvents(day, loadRawDay(card, day.stem));
}

QString maximaWarning(int entries) {
    return QStringLiteral("最大値による判定では基準値を超えています（%1区間）").arg(entries);
}

} // namespace moravel::data
