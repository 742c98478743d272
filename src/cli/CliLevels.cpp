// The raw seconds of a day on standard output: per step the statistics of an interval, or the
// samples themselves, as text, CSV or JSON.
#include "cli/Cli.h"
#include "common/Checked.h"
#include "data/Compliance.h"
#include "data/Raw.h"
#include "export/Csv.h"
#include "graph/TimeHistory.h"
#include "platform/Files.h"
#include "platform/Fonts.h"
#include "platform/TextFile.h"
#include "report/ImageFile.h"

#include <QBuffer>
#include <QDate>
#include <QFileInfo>
#include <QPdfWriter>
#include <cstdio>

namespace moravel::cli {

namespace {

// "HH:MM" or "HH:MM:SS" as a second of the day; 24:00 (the end of the day) only where `end` allows.
int clockSecond(const QString& option, const QString& text, bool end) {
    const QStringList parts = text.split(u':');
    bool ok = parts.size() == 2 || parts.size() == 3;
    int values[3] = {0, 0, 0};
    for (int i = 0; ok && i < parts.size(); ++i) {
        ok = parts[i].size() == 2 && parts[i][0].isDigit() && parts[i][1].isDigit();
        values[i] = parts[i].toInt();
    }
    ok = ok && values[1] < 60 && values[2] < 60 &&
         (values[0] < 24 || (end && values[0] == 24 && values[1] == 0 && values[2] == 0));
    if (!ok)
        throw UsageError{Cli::tr("%1 %2: a time of day is HH:MM or HH:MM:SS").arg(option, text)};
    return values[0] * 3600 + values[1] * 60 + values[2];
}

QString secondText(int second) {
    return QString::asprintf("%02d:%02d:%02d", second / 3600, second / 60 % 60, second % 60);
}

const struct {
    const char* name;
    int seconds;
} Steps[] = {{"1s", 1}, {"10s", 10}, {"1min", 60}, {"10min", 600}, {"1h", 3600}};

struct Channel {
    const char* name; // "S", "V"
    QString title;
    const data::RawChannel* raw;
};

QString level(int deci, bool valid, const QString& none) {
    return valid ? data::deciText(deci) : none;
}

// The statistics of a step, in the order of the columns.
QStringList statistics(const data::IntervalStats& s, const QString& none) {
    const bool v = s.valid > 0;
    return {QString::number(s.valid), level(s.leq, v, none),
            level(s.lmax, v, none),   v ? secondText(s.lmaxAt) : none,
            level(s.lmin, v, none),   level(s.l05, v, none),
            level(s.l10, v, none),    level(s.l50, v, none),
            level(s.l90, v, none),    level(s.l95, v, none)};
}

QString jsonString(const QString& text) {
    return u'"' + text + u'"';
}

} // namespace

int commandLevels(const Arguments& a) {
    if (a.positional.size() != 1)
        throw UsageError{Cli::tr("levels takes one card directory")};
    if (!a.has("--day"))
        throw UsageError{Cli::tr("levels needs --day YYYYMMDD")};
    const QString stem = dayStem(QStringLiteral("--day"), a.value("--day"));
    const QString format = formatOption(a);
    const QString stepName = a.has("--step") ? a.value("--step") : QStringLiteral("10min");
    int step = 0;
    for (const auto& s : Steps)
        if (stepName == QLatin1String(s.name))
            step = s.seconds;
    if (step == 0)
        throw UsageError{Cli::tr("--step %1: the steps are 1s, 10s, 1min, 10min and 1h").arg(stepName)};
    const int from = a.has("--from") ? clockSecond(QStringLiteral("--from"), a.value("--from"), false) : 0;
    const int to =
        a.has("--to") ? clockSecond(QStringLiteral("--to"), a.value("--to"), true) : data::SecondsPerDay;
    if (to <= from)
        throw UsageError{Cli::tr("--to %1 is not after --from %2").arg(secondText(to), secondText(from))};
    const QString only = a.value("--channel");
    if (a.has("--channel") && only != u"S" && only != u"V")
        throw UsageError{Cli::tr("--channel %1: the channels are S and V").arg(only)};

    const QString path = a.positional[0];
    requireCardDirectory(path);
    const data::RawDay day = data::loadRawDay(path, stem);
    QList<Channel> channels;
    if (only != u"V")
        channels.append({"S", Cli::tr("noise S"), &day.s});
    if (only != u"S")
        channels.append({"V", Cli::tr("vibration V"), &day.v});
    bool any = false;
    for (const Channel& c : channels) {
        if (c.raw->empty())
            err(QStringLiteral("moravel-cli: ") + c.raw->reason);
        any = any || !c.raw->empty();
    }
    if (!any)
        return 1;

    const QString date =
        QDate::fromString(stem, QStringLiteral("yyyyMMdd")).toString(QStringLiteral("yyyy/MM/dd"));
    QByteArray bytes;
    if (format == u"csv") {
        csv::CsvText out;
        out.row(step == 1
                    ? QStringLiteral("日時,チャンネル,レベル")
                    : QStringLiteral("日時,チャンネル,有効秒数,Leq,Lmax,Lmax時刻,Lmin,L05,L10,L50,L90,L95"));
        for (const Channel& c : channels) {
            if (c.raw->empty())
                continue;
            for (int t = from; t < to; t += step) {
                const QString head = date + u' ' + secondText(t) + u',' + QLatin1String(c.name) + u',';
                if (step == 1) {
                    const std::int16_t v = c.raw->seconds[static_cast<size_t>(t)];
                    out.row(head + level(v, v != data::RawGap, QString()));
                } else {
                    out.row(head +
                            statistics(data::intervalStats(*c.raw, t, std::min(t + step, to)), QString())
                                .join(u','));
                }
            }
        }
        bytes = out.bytes();
    } else if (format == u"json") {
        QStringList items;
        for (const Channel& c : channels) {
            QStringList rows;
            if (!c.raw->empty()) {
                for (int t = from; t < to; t += step) {
                    if (step == 1) {
                        const std::int16_t v = c.raw->seconds[static_cast<size_t>(t)];
                        rows.append(level(v, v != data::RawGap, QStringLiteral("null")));
                        continue;
                    }
                    const data::IntervalStats s = data::intervalStats(*c.raw, t, std::min(t + step, to));
                    const QStringList v = statistics(s, QStringLiteral("null"));
                    rows.append(QStringLiteral("{\"start\": %1, \"valid\": %2, \"leq\": %3, \"lmax\": %4, "
                                               "\"lmax_time\": %5, \"lmin\": %6, \"l05\": %7, \"l10\": %8, "
                                               "\"l50\": %9, \"l90\": %10, \"l95\": %11}")
                                    .arg(jsonString(secondText(t)), v[0], v[1], v[2],
                                         s.valid ? jsonString(v[3]) : v[3], v[4], v[5], v[6], v[7])
                                    .arg(v[8], v[9]));
                }
            }
            items.append(QStringLiteral("\"%1\": {\"reason\": %2, \"%3\": [%4]}")
                             .arg(QLatin1String(c.name),
                                  c.raw->empty() ? jsonString(c.raw->reason) : QStringLiteral("null"),
                                  step == 1 ? QStringLiteral("samples") : QStringLiteral("steps"),
                                  rows.join(QStringLiteral(", "))));
        }
        bytes = QStringLiteral("{\"date\": %1, \"from\": %2, \"to\": %3, \"step\": %4, \"channels\": {%5}}\n")
                    .arg(jsonString(data::isoDate(stem)), jsonString(secondText(from)),
                         jsonString(secondText(to)), jsonString(stepName), items.join(QStringLiteral(", ")))
                    .toUtf8();
    } else {
        QString text;
        for (const Channel& c : channels) {
            if (c.raw->empty())
                continue;
            if (!text.isEmpty())
                text += u'\n';
            text += c.title + u'\n';
            text += step == 1
                        ? QStringLiteral("time      level\n")
                        : QStringLiteral(
                              "time      valid   Leq  Lmax  at        Lmin   L05   L10   L50   L90   L95\n");
            for (int t = from; t < to; t += step) {
                if (step == 1) {
                    const std::int16_t v = c.raw->seconds[static_cast<size_t>(t)];
                    text += secondText(t) +
                            QStringLiteral("  %1\n").arg(level(v, v != data::RawGap, QStringLiteral("-")), 5);
                    continue;
                }
                const QStringList v =
                    statistics(data::intervalStats(*c.raw, t, std::min(t + step, to)), QStringLiteral("-"));
                text += secondText(t) + QStringLiteral("  %1 %2 %3  %4 %5 %6 %7 %8 %9 %10\n")
                                            .arg(v[0], 5)
                                            .arg(v[1], 5)
                                            .arg(v[2], 5)
                                            .arg(v[3], -8)
                                            .arg(v[4], 5)
                                            .arg(v[5], 5)
                                            .arg(v[6], 5)
                                            .arg(v[7], 5)
                                            .arg(v[8], 5)
                                            .arg(v[9], 5);
            }
        }
        bytes = text.toUtf8();
    }
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    return 0;
}

// The time history of a day's seconds, both channels on one time axis, as the page 時間変化 draws
// it: an image (.png, .bmp, .jpg) or a PDF of one page of the picture's size.
int commandRawGraph(const Arguments& a) {
    if (a.positional.size() != 2)
        throw UsageError{Cli::tr("graph takes a card directory and an output file")};
    if (!a.has("--day"))
        throw UsageError{Cli::tr("graph --raw needs --day YYYYMMDD")};
    for (const char* option : {"--period", "--channel", "--lines", "--level", "--series"})
        refuseIneffective(a, QLatin1String(option), false,
                          Cli::tr("the time history of --raw shows both channels' seconds of one day"));
    const QString stem = dayStem(QStringLiteral("--day"), a.value("--day"));
    const int from = a.has("--from") ? clockSecond(QStringLiteral("--from"), a.value("--from"), false) : 0;
    const int to =
        a.has("--to") ? clockSecond(QStringLiteral("--to"), a.value("--to"), true) : data::SecondsPerDay;
    if (to <= from)
        throw UsageError{Cli::tr("--to %1 is not after --from %2").arg(secondText(to), secondText(from))};
    const QString file = QFileInfo(a.positional[1]).absoluteFilePath();
    const QString ext = extensionOf(file);
    if (ext != u"png" && ext != u"bmp" && ext != u"jpg" && ext != u"pdf")
        throw UsageError{Cli::tr("%1: the graph file ends in .png, .bmp, .jpg or .pdf").arg(a.positional[1])};
    const QSize size = sizeOption(a, QSize(200, 160), QSize(1044, 404));
    Outputs outputs(a.has("--overwrite"), a.has("--quiet"));
    Card card(a.positional[0]);
    card.readSettings();
    const Loaded l = loadDay(card, stem, data::TimeWindow());
    data::RawDay day = data::loadRawDay(card.directory, stem);
    if (day.s.empty() && day.v.empty())
        throw Failure{day.s.reason + u' ' + day.v.reason};
    data::loadDayFileEntries(card.directory, day);
    int references[2] = {0, 0};
    moravel::tryToInt(l.page.items[ReferenceS], references[0]);
    moravel::tryToInt(l.page.items[ReferenceV], references[1]);
    // The day and the interval on a line above the graph.
    const QString title = l.selection.text(l.selection.day) + QStringLiteral("　") + secondText(from) +
                          QStringLiteral("～") + secondText(to) + QStringLiteral("　生データ（毎秒の値）");
    auto draw = [&](QPainter& p) {
        p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        QFont font(platform::uiFontFamily());
        font.setPixelSize(14);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRect(8, 0, size.width() - 16, 24), Qt::AlignLeft | Qt::AlignVCenter, title);
        graph::drawTimeHistoryPair(p, QRect(0, 24, size.width(), size.height() - 24), day,
                                   graph::TimeView{from, to}, references[0], references[1]);
    };
    outputs.directory(QFileInfo(a.positional[1]).path());
    outputs.file(file);
    try {
        if (ext == u"pdf") {
            QByteArray bytes;
            {
                QBuffer buffer(&bytes);
                buffer.open(QIODevice::WriteOnly);
                QPdfWriter writer(&buffer);
                // One unit a pixel of the picture, at 96 to the inch.
                writer.setResolution(96);
                writer.setPageLayout(QPageLayout(QPageSize(QSizeF(size) * 72.0 / 96.0, QPageSize::Point),
                                                 QPageLayout::Portrait, QMarginsF()));
                writer.setTitle(title);
                writer.setCreator(QStringLiteral("Moravel"));
                QPainter p;
                if (!p.begin(&writer))
                    throw platform::writeError(file, QStringLiteral("the PDF could not be drawn"));
                draw(p);
                p.end();
            }
            platform::writeFileAtomically(file, bytes);
        } else {
            QImage image(size, QImage::Format_ARGB32);
            image.fill(Qt::white);
            QPainter p(&image);
            draw(p);
            p.end();
            report::saveImage(image, file);
        }
    } catch (const DataError& e) {
        throw Failure{fileErrorText(e)};
    }
    outputs.done();
    return 0;
}

} // namespace moravel::cli
