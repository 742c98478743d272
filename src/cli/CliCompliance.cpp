// The compliance of a day or a period with the reference values on standard output: text, CSV or JSON.
#include "cli/Cli.h"
#include "common/Errors.h"
#include "common/LevelStat.h"
#include "data/Compliance.h"
#include "data/Raw.h"
#include "export/Csv.h"

#include <cmath>
#include <cstdio>

namespace moravel::cli {

namespace {

QString jsonNumber(const std::optional<double>& v) {
    return v ? data::levelText(*v) : QStringLiteral("null");
}

QString jsonString(const QString& text) {
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        if (c == u'"' || c == u'\\')
            out += u'\\';
        out += c;
    }
    return out + u'"';
}

QByteArray complianceJson(const data::Compliance& s) {
    QStringList channels;
    auto channel = [&](const char* name, int level, data::Method method,
                       const QList<data::ChannelDay>& days) {
        QStringList items;
        for (const data::ChannelDay& d : days) {
            QStringList runs;
            for (const data::Exceedance& r : d.exceedances)
                runs.append(QStringLiteral("{\"start\": %1, \"end\": %2, \"entries\": %3, \"peak\": %4}")
                                .arg(jsonString(data::clockText(r.start)), jsonString(data::clockText(r.end)))
                                .arg(r.entries)
                                .arg(data::levelText(r.peak)));
            items.append(
                QStringLiteral(
                    "{\"date\": %1, \"recorded\": %12, \"construction_day\": %2, \"reference\": "
                    "%3, \"level\": %4, "
                    "\"entries\": %5, \"valid\": %6, \"leq\": %7, \"max\": %8, \"max_time\": %9, "
                    "\"exceeded_entries\": %10, \"exceedances\": [%11], \"unjudged_entries\": %13, "
                    "\"lmax_exceeded_entries\": %14, \"maxima90_exceeded_entries\": %15, \"warning\": %16}")
                    .arg(jsonString(data::isoDate(d.stem)), !d.recorded         ? "null"
                                                            : d.constructionDay ? "true"
                                                                                : "false")
                    .arg(d.recorded ? QString::number(d.reference) : QStringLiteral("null"))
                    .arg(jsonString(levelStatName(level)))
                    .arg(d.entries)
                    .arg(d.valid)
                    .arg(jsonNumber(d.leq), jsonNumber(d.max),
                         d.max ? jsonString(data::clockText(d.maxTime)) : QStringLiteral("null"))
                    .arg(d.exceededEntries)
                    .arg(runs.join(QStringLiteral(", ")))
                    .arg(d.recorded ? "true" : "false")
                    .arg(d.unjudged)
                    .arg(d.recorded ? QString::number(d.lmaxExceeded) : QStringLiteral("null"),
                         d.maxima90Exceeded ? QString::number(*d.maxima90Exceeded) : QStringLiteral("null"),
                         d.warning.isEmpty() ? QStringLiteral("null") : jsonString(d.warning)));
        }
        channels.append(QStringLiteral("\"%1\": {\"level\": %2, \"method\": %4, \"days\": [%3]}")
                            .arg(QString::fromLatin1(name), jsonString(levelStatName(level)),
                                 items.join(QStringLiteral(", ")), jsonString(data::methodName(method))));
    };
    channel("S", s.sLevel, s.sMethod, s.s);
    channel("V", s.vLevel, s.vMethod, s.v);
    return (QStringLiteral("{\"from\": %1, \"to\": %2, \"channels\": {%3}}\n")
                .arg(jsonString(data::windowText(s.window).left(5)),
                     jsonString(data::windowText(s.window).mid(6)), channels.join(QStringLiteral(", "))))
        .toUtf8();
}

QString complianceText(const data::Compliance& s) {
    QString out;
    auto channel = [&](const QString& title, int level, data::Method method,
                       const QList<data::ChannelDay>& days) {
        out += method == data::Method::Statistic
                   ? Cli::tr("%1, level %2, time window %3\n")
                         .arg(title, levelStatName(level), data::windowText(s.window))
                   : Cli::tr("%1, method %2, time window %3\n")
                         .arg(title, data::methodName(method), data::windowText(s.window));
        out += Cli::tr(
            "date        construction  reference  valid/entries  coverage  Leq    max    at     exceeded\n");
        for (const data::ChannelDay& d : days) {
            const QString none = QStringLiteral("-");
            out += QStringLiteral("%1  %2  %3  %4  %5  %6  %7  %8  %9\n")
                       .arg(data::isoDate(d.stem), -10)
                       .arg(!d.recorded         ? none
                            : d.constructionDay ? Cli::tr("yes")
                                                : Cli::tr("no"),
                            -12)
                       .arg(d.recorded ? QString::number(d.reference) : none, -9)
                       .arg(QStringLiteral("%1/%2").arg(d.valid).arg(d.entries), -13)
                       .arg(d.entries ? data::coverageText(d) + u'%' : none, -8)
                       .arg(d.leq ? data::levelText(*d.leq) : none, -5)
                       .arg(d.max ? data::levelText(*d.max) : none, -5)
                       .arg(d.max ? data::clockText(d.maxTime) : none, -5)
                       .arg(Cli::tr("%1 min").arg(10 * d.exceededEntries));
            for (const data::Exceedance& r : d.exceedances)
                out += Cli::tr("            above the reference %1-%2, %3, peak %4\n")
                           .arg(data::clockText(r.start), data::clockText(r.end),
                                r.entries == 1 ? Cli::tr("1 entry") : Cli::tr("%1 entries").arg(r.entries))
                           .arg(data::levelText(r.peak));
            if (!d.warning.isEmpty())
                out += QStringLiteral("            ") + d.warning + u'\n';
        }
    };
    channel(Cli::tr("noise S"), s.sLevel, s.sMethod, s.s);
    out += u'\n';
    channel(Cli::tr("vibration V"), s.vLevel, s.vMethod, s.v);
    return out;
}

QString tenths(int deci) {
    return data::deciText(deci);
}

QByteArray eventsJson(const QList<data::DayEvents>& days, const QString& thresholdName, int gap,
                      const QString& only) {
    QStringList items;
    for (const data::DayEvents& d : days) {
        QStringList channels;
        for (const auto& [events, threshold, reason, name] :
             {std::tuple{&d.s, &d.sThreshold, &d.sReason, "S"},
              std::tuple{&d.v, &d.vThreshold, &d.vReason, "V"}}) {
            if (!only.isEmpty() && only != QLatin1String(name))
                continue;
            QStringList list;
            for (const data::Event& e : *events)
                list.append(
                    QStringLiteral("{\"start\": %1, \"end\": %2, \"duration\": %3, \"peak\": %4, "
                                   "\"peak_time\": %5, \"leq\": %6, \"sel\": %7, \"coinciding\": %8}")
                        .arg(jsonString(csv::secondClock(e.start)), jsonString(csv::secondClock(e.end)))
                        .arg(e.duration())
                        .arg(tenths(e.peak), jsonString(csv::secondClock(e.peakAt)), tenths(e.leq),
                             tenths(e.sel), e.coinciding ? QStringLiteral("true") : QStringLiteral("false")));
            channels.append(QStringLiteral("\"%1\": {\"threshold\": %2, \"reason\": %3, \"events\": [%4]}")
                                .arg(QLatin1String(name),
                                     threshold->has_value() ? tenths(**threshold) : QStringLiteral("null"),
                                     reason->isEmpty() ? QStringLiteral("null") : jsonString(*reason),
                                     list.join(QStringLiteral(", "))));
        }
        items.append(QStringLiteral("{\"date\": %1, %2}")
                         .arg(jsonString(data::isoDate(d.stem)), channels.join(QStringLiteral(", "))));
    }
    return QStringLiteral("{\"threshold\": %1, \"gap\": %2, \"days\": [%3]}\n")
        .arg(jsonString(thresholdName))
        .arg(gap)
        .arg(items.join(QStringLiteral(", ")))
        .toUtf8();
}

QString eventsText(const QList<data::DayEvents>& days, const QString& only) {
    QString out;
    for (const data::DayEvents& d : days) {
        for (const auto& [events, threshold, reason, title] :
             {std::tuple{&d.s, &d.sThreshold, &d.sReason, QStringLiteral("S")},
              std::tuple{&d.v, &d.vThreshold, &d.vReason, QStringLiteral("V")}}) {
            if (!only.isEmpty() && only != title)
                continue;
            if (!out.isEmpty())
                out += u'\n';
            out +=
                data::isoDate(d.stem) + u' ' + (title == u"S" ? Cli::tr("noise S") : Cli::tr("vibration V"));
            if (!threshold->has_value()) {
                out += Cli::tr(": no reference value\n");
                continue;
            }
            if (!reason->isEmpty()) {
                out += u' ' + *reason + u'\n';
                continue;
            }
            out += Cli::tr(", above %1 dB: %n event(s)\n", nullptr, static_cast<int>(events->size()))
                       .arg(tenths(**threshold));
            if (events->isEmpty())
                continue;
            out += Cli::tr("start     end       seconds   peak  at        Leq    SEL  coinciding\n");
            for (const data::Event& e : *events)
                out += QStringLiteral("%1  %2  %3  %4  %5  %6  %7  %8\n")
                           .arg(csv::secondClock(e.start), csv::secondClock(e.end))
                           .arg(e.duration(), 7)
                           .arg(tenths(e.peak), 5)
                           .arg(csv::secondClock(e.peakAt))
                           .arg(tenths(e.leq), 5)
                           .arg(tenths(e.sel), 5)
                           .arg(e.coinciding ? Cli::tr("yes") : QString());
        }
    }
    return out;
}

} // namespace

data::Method methodOption(const Arguments& a, const QString& option) {
    if (!a.has(option))
        return data::Method::Statistic;
    const std::optional<data::Method> m = data::methodOf(a.value(option));
    if (!m)
        throw UsageError{Cli::tr("%1 %2: the methods are statistic, lmax, maxima-mean and maxima-90")
                             .arg(option, a.value(option))};
    return *m;
}

int commandEvents(const Arguments& a) {
    if (a.positional.size() != 1)
        throw UsageError{Cli::tr("events takes one card directory")};
    const QString format = formatOption(a);
    const QString only = a.value("--channel");
    if (a.has("--channel") && only != u"S" && only != u"V")
        throw UsageError{Cli::tr("--channel %1: the channels are S and V").arg(only)};
    // --threshold: a level in dB for both channels, or each day's reference less 10 dB.
    const QString thresholdName = a.has("--threshold") ? a.value("--threshold") : QStringLiteral("ref-10");
    std::optional<int> fixed;
    if (thresholdName != u"ref-10") {
        bool ok = false;
        const double db = thresholdName.toDouble(&ok);
        if (!ok || db < 0 || db > 200)
            throw UsageError{
                Cli::tr("--threshold %1: give a level in dB, as 75 or 72.5, or ref-10").arg(thresholdName)};
        fixed = static_cast<int>(std::lround(db * 10));
    }
    int gap = data::DefaultEventGap;
    if (a.has("--gap")) {
        bool ok = false;
        gap = a.value("--gap").toInt(&ok);
        if (!ok || gap < 1 || gap > 3600)
            throw UsageError{Cli::tr("--gap %1: give whole seconds from 1 to 3600").arg(a.value("--gap"))};
    }
    const Card card(a.positional[0]);
    QList<data::DayEvents> days;
    bool any = false;
    for (const QString& stem : selectedStems(card, a)) {
        const Loaded l = loadDay(card, stem, data::TimeWindow());
        if (!l.result.ok || l.result.days.isEmpty())
            throw Failure{stem + u' ' +
                          oneLine(l.result.messages.isEmpty() ? data::corruptDataMessage()
                                                              : l.result.messages.join(u' '))};
        const data::DayRecord& record = l.result.days.first();
        auto threshold = [&](const std::optional<int>& reference) -> std::optional<int> {
            if (fixed)
                return fixed;
            return reference ? std::optional<int>(data::defaultThreshold(*reference)) : std::nullopt;
        };
        const data::RawDay raw = data::loadRawDay(card.directory, stem);
        data::DayEvents d =
            data::dayEvents(raw, threshold(record.s.reference), threshold(record.v.reference), gap);
        if (only == u"V")
            d.s.clear();
        if (only == u"S")
            d.v.clear();
        for (const auto& [r, name] : {std::pair{&raw.s, "S"}, std::pair{&raw.v, "V"}}) {
            if (!only.isEmpty() && only != QLatin1String(name))
                continue;
            if (r->empty())
                err(QStringLiteral("moravel-cli: ") + r->reason);
            any = any || !r->empty();
        }
        days.append(d);
    }
    if (!any)
        return 1;
    QByteArray bytes;
    if (format == u"json")
        bytes = eventsJson(days, thresholdName, gap, only);
    else if (format == u"csv")
        bytes = csv::eventsCsv(days);
    else
        bytes = eventsText(days, only).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    return 0;
}

int commandSummary(const Arguments& a) {
    if (a.positional.size() != 1)
        throw UsageError{Cli::tr("summary takes one card directory")};
    const QString format = formatOption(a);
    const data::DisplayChoices d = display(a);
    const data::Method sMethod = methodOption(a, QStringLiteral("--noise-method"));
    const data::Method vMethod = methodOption(a, QStringLiteral("--vibration-method"));
    const data::TimeWindow window = timeWindow(a, a.has("--period"));
    const Card card(a.positional[0]);
    // Each day loaded as choosing it loads it; a day the application refuses is refused here too.
    QList<data::DayRecord> records;
    for (const QString& stem : selectedStems(card, a)) {
        const Loaded l = loadDay(card, stem, window);
        if (!l.result.ok)
            throw Failure{stem + u' ' +
                          oneLine(l.result.messages.isEmpty() ? data::corruptDataMessage()
                                                              : l.result.messages.join(u' '))};
        records += l.result.days;
    }
    // The maxima of the raw seconds, whatever the method: every day tells what they find.
    data::addEvents(records, card.directory);
    // Every calendar day of the period, those without both day files as not recorded.
    const QStringList range = a.has("--period") ? a.options.value(QStringLiteral("--period"))
                                                : QStringList{a.value("--day"), a.value("--day")};
    data::Compliance compliance;
    try {
        compliance = data::complianceOf(records, window, d.sStat, d.vStat, range.value(0), range.value(1),
                                        sMethod, vMethod);
    } catch (const DataError& e) {
        throw Failure{oneLine(e.text())};
    }
    QByteArray bytes;
    if (format == u"json")
        bytes = complianceJson(compliance);
    else if (format == u"csv")
        bytes = csv::complianceCsv(compliance);
    else
        bytes = complianceText(compliance).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    return 0;
}

} // namespace moravel::cli
