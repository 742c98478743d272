// The compliance of a day or a period with the reference values on standard output: text, CSV or JSON.
#include "cli/Cli.h"
#include "common/Errors.h"
#include "common/LevelStat.h"
#include "data/Compliance.h"
#include "export/Csv.h"

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
    auto channel = [&](const char* name, int level, const QList<data::ChannelDay>& days) {
        QStringList items;
        for (const data::ChannelDay& d : days) {
            QStringList runs;
            for (const data::Exceedance& r : d.exceedances)
                runs.append(QStringLiteral("{\"start\": %1, \"end\": %2, \"entries\": %3, \"peak\": %4}")
                                .arg(jsonString(data::clockText(r.start)), jsonString(data::clockText(r.end)))
                                .arg(r.entries)
                                .arg(data::levelText(r.peak)));
            items.append(
                QStringLiteral("{\"date\": %1, \"recorded\": %12, \"construction_day\": %2, \"reference\": "
                               "%3, \"level\": %4, "
                               "\"entries\": %5, \"valid\": %6, \"leq\": %7, \"max\": %8, \"max_time\": %9, "
                               "\"exceeded_entries\": %10, \"exceedances\": [%11]}")
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
                    .arg(d.recorded ? "true" : "false"));
        }
        channels.append(QStringLiteral("\"%1\": {\"level\": %2, \"days\": [%3]}")
                            .arg(QString::fromLatin1(name), jsonString(levelStatName(level)),
                                 items.join(QStringLiteral(", "))));
    };
    channel("S", s.sLevel, s.s);
    channel("V", s.vLevel, s.v);
    return (QStringLiteral("{\"from\": %1, \"to\": %2, \"channels\": {%3}}\n")
                .arg(jsonString(data::windowText(s.window).left(5)),
                     jsonString(data::windowText(s.window).mid(6)), channels.join(QStringLiteral(", "))))
        .toUtf8();
}

QString complianceText(const data::Compliance& s) {
    QString out;
    auto channel = [&](const QString& title, int level, const QList<data::ChannelDay>& days) {
        out += Cli::tr("%1, level %2, time window %3\n")
                   .arg(title, levelStatName(level), data::windowText(s.window));
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
        }
    };
    channel(Cli::tr("noise S"), s.sLevel, s.s);
    out += u'\n';
    channel(Cli::tr("vibration V"), s.vLevel, s.v);
    return out;
}

} // namespace

int commandSummary(const Arguments& a) {
    if (a.positional.size() != 1)
        throw UsageError{Cli::tr("summary takes one card directory")};
    const QString format = a.has("--format") ? a.value("--format") : QStringLiteral("text");
    if (format != u"text" && format != u"csv" && format != u"json")
        throw UsageError{Cli::tr("--format %1: the formats are text, csv and json").arg(format)};
    const data::DisplayChoices d = display(a);
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
    // Every calendar day of the period, those without both day files as not recorded.
    const QStringList range = a.has("--period") ? a.options.value(QStringLiteral("--period"))
                                                : QStringList{a.value("--day"), a.value("--day")};
    data::Compliance compliance;
    try {
        compliance = data::complianceOf(records, window, d.sStat, d.vStat, range.value(0), range.value(1));
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
