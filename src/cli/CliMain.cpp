// moravel-cli: the conversions and reports of the application from a script, on the same core
// functions as the windows, without a window and without questions.
#include "app/Capacity.h"
#include "common/Checked.h"
#include "common/DateText.h"
#include "common/Errors.h"
#include "common/LevelStat.h"
#include "data/Catalogue.h"
#include "data/Loading.h"
#include "export/Conversion.h"
#include "graph/GraphDrawing.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "platform/Version.h"
#include "platform/Volume.h"
#include "report/ImageFile.h"
#include "report/ReportPage.h"
#include "report/ReportPdf.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMap>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <optional>

using namespace moravel;

namespace {

const char* const Usage =
    "usage:\n"
    "  moravel-cli days     CARD\n"
    "  moravel-cli check    CARD\n"
    "  moravel-cli csv      CARD OUTDIR (--day YYYYMMDD | --period FIRST LAST | --all) [--from HH:MM --to "
    "HH:MM] "
    "[--overwrite]\n"
    "  moravel-cli report   CARD OUTFILE (--day YYYYMMDD | --period FIRST LAST) [--kind full|graph|table]\n"
    "                       [--lines] [--noise-level NAME] [--vibration-level NAME] [--series NAME,...]\n"
    "                       [--columns NAME,...] [--from HH:MM --to HH:MM] [--each-day] [--summary] "
    "[--overwrite]\n"
    "  moravel-cli graph    CARD OUTFILE.png (--day YYYYMMDD | --period FIRST LAST) --channel S|V\n"
    "                       [--size WxH] [--lines] [--level NAME] [--series NAME,...] [--from HH:MM --to "
    "HH:MM] "
    "[--overwrite]\n"
    "  moravel-cli summary  CARD (--day YYYYMMDD | --period FIRST LAST) [--from HH:MM --to HH:MM]\n"
    "                       [--noise-level NAME] [--vibration-level NAME] [--format text|csv|json]\n"
    "  moravel-cli verify   REPORT.pdf CARD\n"
    "  moravel-cli capacity CARD\n"
    "  moravel-cli version\n"
    "\n"
    "CARD is a card directory; FIRST, LAST and --day are its day stems (yyyymmdd); a period holds at most\n"
    "31 of them. days lists the stems; check prints each day the application would reject, with its\n"
    "message; csv writes the files of the export window (--day the five files of a day, --period the\n"
    "period CSV, --all every file of the card); report writes the report page as .png, .bmp, .jpg or\n"
    ".pdf (one A4 page; --each-day with --period: one day page per day in one PDF); graph writes one\n"
    "graph of the main window. Level names are Leq Le L05 L10 L50 L90 L95 Lmin Lmax. Files that exist\n"
    "are an error unless --overwrite. Exit codes: 0 done, 1 error, 2 usage.\n";

struct UsageError {
    QString text;
};

struct Failure {
    QString text;
};

void out(const QString& text) {
    std::fputs((text + u'\n').toUtf8().constData(), stdout);
}
void err(const QString& text) {
    std::fputs((text + u'\n').toUtf8().constData(), stderr);
}

QString oneLine(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(u'\n', u' ');
    text.replace(u'\r', u' ');
    return text;
}

// The command line after the command: positional arguments and options.
struct Arguments {
    QStringList positional;
    QMap<QString, QStringList> options;

    bool has(const QString& name) const { return options.contains(name); }
    QString value(const QString& name) const { return options.value(name).value(0); }
};

Arguments parse(const QStringList& args, const QMap<QString, int>& known) {
    Arguments a;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(QStringLiteral("--"))) {
            a.positional.append(arg);
            continue;
        }
        if (!known.contains(arg))
            throw UsageError{QStringLiteral("unknown option %1").arg(arg)};
        const int count = known.value(arg);
        if (a.options.contains(arg))
            throw UsageError{QStringLiteral("%1 given twice").arg(arg)};
        QStringList values;
        for (int k = 0; k < count; ++k) {
            if (i + 1 >= args.size() || args[i + 1].startsWith(QStringLiteral("--")))
                throw UsageError{QStringLiteral("%1 needs %2 value(s)").arg(arg).arg(count)};
            values.append(args[++i]);
        }
        a.options.insert(arg, values);
    }
    return a;
}

// A text of the command line itself, in the user's language.
QString tr(const char* text) {
    return QCoreApplication::translate("moravel-cli", text);
}

QString invalidCard() {
    return QStringLiteral("指定されたドライブが無効になっています。");
}

// A card directory as the main window takes it when it is chosen: its catalogue of measured days
// and the texts of its settings file.
struct Card {
    QString directory; // ends with a path separator
    QStringList catalogue;
    ItemTexts settings;        // empty where there is no settings file or a broken one
    bool settingsRead = false; // the settings file was there and was read

    explicit Card(const QString& path) {
        if (!QFileInfo(path).isDir())
            throw Failure{invalidCard()};
        directory = platform::withSeparator(QDir(path).absolutePath());
        try {
            catalogue = data::catalogueFromNames(platform::listFiles(directory));
        } catch (const DataError&) {
            throw Failure{invalidCard()};
        }
    }

    // Reads the settings file, as choosing the directory does. A settings file the application
    // complains about does not stop a conversion or a report: the complaint goes to standard error.
    void readSettings() {
        const QString file = settings::settingsFilePath(directory);
        if (!platform::fileExists(file))
            return;
        try {
            settingsRead = true;
            const settings::SettingsContent content = settings::parseSettingsFile(platform::readLines(file));
            if (content.corrupt)
                err(oneLine(QStringLiteral("MORVEL.TXTは破損しています")));
            else
                settings = content.items;
        } catch (const DataError& e) {
            err(oneLine(e.text()));
        }
    }

    int indexOf(const QString& stem) const {
        const int i = static_cast<int>(catalogue.indexOf(stem));
        if (i < 0)
            throw Failure{QStringLiteral("%1: カードにこの日付のデータがありません。").arg(stem)};
        return i;
    }
};

// A day or a period of a card, loaded as the main window loads it.
struct Loaded {
    data::Selection selection;
    data::LoadResult result;

    // The item page: the header of the day file with the settings file's texts in place.
    data::ItemPage page;
};

data::TimeWindow timeWindow(const Arguments& a, bool period) {
    if (a.has("--from") != a.has("--to"))
        throw UsageError{QStringLiteral("--from and --to go together")};
    if (!a.has("--from"))
        return {};
    auto minutes = [&](const QString& text) {
        const QStringList parts = text.split(u':');
        int h = -1, m = -1;
        const bool read = parts.size() == 2 && parts[0].size() == 2 && tryToInt(parts[0], h) && h >= 0 &&
                          h <= 23 && (parts[1] == u"00" || parts[1] == u"30");
        if (!read)
            throw UsageError{QStringLiteral("a time is HH:MM with the minutes 00 or 30: %1").arg(text)};
        m = parts[1] == u"30" ? 30 : 0;
        if (period && m != 0)
            throw UsageError{QStringLiteral("a period takes whole hours: %1").arg(text)};
        return h * 60 + m;
    };
    return {minutes(a.value("--from")), minutes(a.value("--to"))};
}

// "HH:MM-HH:MM"; a start equal to the stop is the whole day.
QString timeWindowText(const data::TimeWindow& w) {
    auto hm = [](int minutes) {
        return QStringLiteral("%1:%2")
            .arg(minutes / 60, 2, 10, QLatin1Char('0'))
            .arg(minutes % 60, 2, 10, QLatin1Char('0'));
    };
    return hm(w.start) + u'-' + hm(w.stop);
}

Loaded load(const Card& card, data::Selection selection) {
    Loaded l;
    l.selection = std::move(selection);
    l.result = l.selection.monthMode ? data::loadPeriod(l.selection, {}) : data::loadDay(l.selection, {});
    if (!l.result.ok)
        throw Failure{l.result.messages.isEmpty() ? data::corruptDataMessage()
                                                  : l.result.messages.join(u'\n')};
    l.page = data::itemPage(*l.result.header, card.settings);
    return l;
}

data::Selection baseSelection(const Card& card) {
    data::Selection s;
    s.directory = card.directory;
    s.catalogue = card.catalogue;
    return s;
}

Loaded loadDay(const Card& card, const QString& stem, const data::TimeWindow& window) {
    data::Selection s = baseSelection(card);
    s.day = card.indexOf(stem);
    s.window = window;
    return load(card, std::move(s));
}

Loaded loadPeriod(const Card& card, const QString& first, const QString& last,
                  const data::TimeWindow& window) {
    data::Selection s = baseSelection(card);
    s.monthMode = true;
    s.first = card.indexOf(first);
    s.last = card.indexOf(last);
    if (s.last < s.first)
        throw Failure{QStringLiteral("期間の最後の日が最初の日より前です。")};
    if (s.last - s.first > 30)
        throw Failure{QStringLiteral("期間は最大３１日分です。")};
    s.window = window;
    return load(card, std::move(s));
}

// The selection of --day or --period.
Loaded loadSelection(const Card& card, const Arguments& a) {
    if (a.has("--day") == a.has("--period"))
        throw UsageError{QStringLiteral("give --day or --period")};
    const bool period = a.has("--period");
    const data::TimeWindow window = timeWindow(a, period);
    if (period)
        return loadPeriod(card, a.options["--period"][0], a.options["--period"][1], window);
    return loadDay(card, a.value("--day"), window);
}

QList<int> levelList(const QString& list) {
    QList<int> stats;
    for (const QString& name : list.split(u',', Qt::SkipEmptyParts)) {
        const int stat = levelStatOf(name);
        if (stat < 0)
            throw UsageError{QStringLiteral("unknown level name %1").arg(name)};
        if (!stats.contains(stat))
            stats.append(stat);
    }
    std::sort(stats.begin(), stats.end());
    return stats;
}

// A level of a level combo by name: the noise combo holds all nine, the vibration combo all but Le.
int comboLevel(const QString& name, bool noise) {
    const int stat = levelStatOf(name);
    if (stat < 0 || (!noise && stat == Le))
        throw UsageError{QStringLiteral("%1 is not a level of this channel").arg(name)};
    return stat;
}

// What the graph page and the table page show: the main window's choices at start-up unless options
// change them.
struct Display {
    bool lines = false;
    int sStat = L05, vStat = L10;
    QList<int> sSeries = {Leq, Le, L05, L10, L50, L90, L95, Lmin, Lmax};
    QList<int> vSeries = {Leq, L05, L10, L50, L90, L95, Lmin, Lmax};
    QList<int> sColumns = sSeries, vColumns = vSeries;
};

Display display(const Arguments& a) {
    Display d;
    d.lines = a.has("--lines");
    if (a.has("--noise-level"))
        d.sStat = comboLevel(a.value("--noise-level"), true);
    if (a.has("--vibration-level"))
        d.vStat = comboLevel(a.value("--vibration-level"), false);
    if (a.has("--series"))
        d.sSeries = d.vSeries = levelList(a.value("--series"));
    if (a.has("--columns"))
        d.sColumns = d.vColumns = levelList(a.value("--columns"));
    return d;
}

report::ReportInputs reportInputs(const Loaded& l, const Display& d) {
    const data::CardData& data = l.result.data;
    report::ReportInputs in;
    in.page = l.page;
    in.monthMode = l.selection.monthMode;
    in.dayMode = !l.selection.monthMode;
    in.lines = d.lines;
    in.periodStart = l.selection.first;
    in.periodStop = l.selection.last;
    for (int i = 0; i < l.selection.catalogue.size(); ++i)
        in.periodEntries.append(l.selection.text(i));
    in.sModeText = levelStatName(d.sStat);
    in.vModeText = levelStatName(d.vStat);
    in.sModeIndex = d.sStat;
    in.vModeIndex = d.vStat;
    in.sSeries = d.sSeries;
    in.vSeries = d.vSeries;
    in.sColumns = d.sColumns;
    in.vColumns = d.vColumns;
    in.la = &data.LA_List;
    in.lv = &data.LV_List;
    in.laMax = &data.LA_ListMax;
    in.lvMax = &data.LV_ListMax;
    in.laMaxG = &data.LA_ListMaxG;
    in.lvMaxG = &data.LV_ListMaxG;
    return in;
}

void refuseExisting(const QStringList& paths, bool overwrite) {
    if (overwrite)
        return;
    for (const QString& p : paths)
        if (QFileInfo::exists(p))
            throw Failure{QStringLiteral("%1 はすでに存在します（--overwrite で上書きします）。").arg(p)};
}

QString extensionOf(const QString& path) {
    return QFileInfo(path).suffix().toLower();
}

// ---- commands ----

int commandDays(const Arguments& a) {
    if (a.positional.size() != 1)
        throw UsageError{QStringLiteral("days CARD")};
    for (const QString& stem : Card(a.positional[0]).catalogue)
        out(stem);
    return 0;
}

// The card as the application and the monitor take it: every day loaded as choosing it loads it,
// the settings file, the file system.
int commandCheck(const Arguments& a) {
    if (a.positional.size() != 1)
        throw UsageError{QStringLiteral("check CARD")};
    const Card card(a.positional[0]);
    QStringList problems;
    for (int k = 0; k < card.catalogue.size(); ++k) {
        data::Selection s = baseSelection(card);
        s.day = k;
        const data::LoadResult r = data::loadDay(s, {});
        if (r.ok)
            continue;
        const QString stem = card.catalogue[k];
        if (r.silentlyRejected)
            problems.append(stem + u' ' +
                            tr("rejected without a message: the STOP line of %1.LAC has no colon as its 8th "
                               "character")
                                .arg(stem));
        else
            problems.append(
                stem + u' ' +
                oneLine(r.messages.isEmpty() ? data::corruptDataMessage() : r.messages.join(u' ')));
    }
    const QString settingsFile = settings::settingsFilePath(card.directory);
    const bool hasSettings = platform::fileExists(settingsFile);
    if (hasSettings) {
        try {
            if (settings::parseSettingsFile(platform::readLines(settingsFile)).corrupt)
                problems.append(QStringLiteral("MORVEL.TXT MORVEL.TXTは破損しています"));
        } catch (const DataError& e) {
            problems.append(QStringLiteral("MORVEL.TXT ") + oneLine(e.text()));
        }
    }
    const QString fileSystem = platform::fileSystemName(card.directory);
    const QString fileSystemLine =
        fileSystem.isEmpty() ? tr("file system not known (not the root of a volume, or its type cannot be "
                                  "told): the monitor takes FAT32 cards only")
        : fileSystem == u"FAT32" ? tr("file system FAT32: the monitor takes this card")
                                 : tr("file system %1: the monitor takes FAT32 cards only").arg(fileSystem);
    if (problems.isEmpty()) {
        out(tr("the card is sound: %1 measured days, %2, %3")
                .arg(card.catalogue.size())
                .arg(hasSettings ? tr("MORVEL.TXT readable") : tr("no MORVEL.TXT"), fileSystemLine));
        return 0;
    }
    for (const QString& line : problems)
        out(line);
    out(fileSystemLine);
    return 1;
}

// Runs a conversion; existing files are replaced only with --overwrite (they were refused before).
int convert(const csv::ConversionRequest& request, bool overwrite) {
    QStringList messages;
    csv::ConversionCallbacks callbacks;
    callbacks.mayReplace = [overwrite](const QString&) { return overwrite; };
    callbacks.message = [&](const QString& text) { messages.append(text); };
    const csv::ConversionResult result = csv::runConversion(request, callbacks);
    if (result.failed)
        messages.append(QStringLiteral("変換が失敗しました。"));
    if (!result.flag || !messages.isEmpty())
        throw Failure{messages.join(u'\n')};
    return 0;
}

int commandCsv(const Arguments& a) {
    if (a.positional.size() != 2)
        throw UsageError{QStringLiteral("csv CARD OUTDIR")};
    const int selections = a.has("--day") + a.has("--period") + a.has("--all");
    if (selections != 1)
        throw UsageError{QStringLiteral("give one of --day, --period, --all")};
    const bool overwrite = a.has("--overwrite");
    const QString outDir = QDir(a.positional[1]).absolutePath();
    if (!QDir().mkpath(outDir))
        throw Failure{platform::writeFailure(outDir)};
    Card card(a.positional[0]);
    card.readSettings();
    csv::ConversionRequest request;
    request.cardDirectory = card.directory;
    request.saveDirectory = outDir;
    QStringList outputs;
    if (a.has("--all")) {
        if (card.catalogue.isEmpty())
            throw Failure{QStringLiteral("カードに測定データがありません。")};
        timeWindow(a, false);
        request.bulk = true;
        for (const QString& name : platform::listFiles(card.directory)) {
            QString stem, ext;
            data::splitExtension(name, stem, ext);
            if (ext == u".LA" || ext == u".LV" || ext == u".LAC" || ext == u".LVC")
                outputs.append(outDir + u'/' + stem + u'_' + ext.mid(1) + QStringLiteral(".csv"));
        }
    } else {
        const Loaded l = loadSelection(card, a);
        if (l.selection.monthMode) {
            const QString first = l.selection.text(l.selection.first);
            const QString last = l.selection.text(l.selection.last);
            request.dayMode = false;
            request.firstText = first;
            request.lastText = last;
            csv::PeriodInputs& p = request.period;
            p.page = l.page;
            for (int i = l.selection.first; i <= l.selection.last; ++i)
                p.dayTexts.append(l.selection.text(i));
            p.la = &l.result.data.LA_ListMax;
            p.lv = &l.result.data.LV_ListMax;
            outputs.append(outDir + u'/' + first + u'_' + last + QStringLiteral(".CSV"));
            refuseExisting(outputs, overwrite);
            return convert(request, overwrite);
        }
        const QString stem = a.value("--day");
        request.dayStem = stem;
        outputs.append(outDir + u'/' + stem + QStringLiteral(".csv"));
        for (const char* ext : {"LA", "LV"})
            if (QFileInfo::exists(card.directory + stem + u'.' + QString::fromLatin1(ext)))
                outputs.append(outDir + u'/' + stem + u'_' + QString::fromLatin1(ext) +
                               QStringLiteral(".csv"));
        outputs.append(outDir + u'/' + stem + QStringLiteral("_LAC.csv"));
        outputs.append(outDir + u'/' + stem + QStringLiteral("_LVC.csv"));
    }
    refuseExisting(outputs, overwrite);
    return convert(request, overwrite);
}

int commandReport(const Arguments& a) {
    if (a.positional.size() != 2)
        throw UsageError{QStringLiteral("report CARD OUTFILE")};
    const QString file = QFileInfo(a.positional[1]).absoluteFilePath();
    const QString ext = extensionOf(file);
    if (ext != u"png" && ext != u"bmp" && ext != u"jpg" && ext != u"pdf")
        throw UsageError{QStringLiteral("OUTFILE ends in .png, .bmp, .jpg or .pdf")};
    const QString kind = a.has("--kind") ? a.value("--kind") : QStringLiteral("full");
    int mode = 0;
    if (kind == u"full")
        mode = report::FullReport;
    else if (kind == u"graph")
        mode = report::GraphReport;
    else if (kind == u"table")
        mode = report::TableReport;
    else
        throw UsageError{QStringLiteral("--kind is full, graph or table")};
    const bool eachDay = a.has("--each-day");
    if (eachDay && (!a.has("--period") || ext != u"pdf"))
        throw UsageError{QStringLiteral("--each-day goes with --period and a .pdf file")};
    const bool withSummary = a.has("--summary");
    if (withSummary && ext != u"pdf")
        throw UsageError{QStringLiteral("--summary goes with a .pdf file")};
    const Display d = display(a);
    const bool overwrite = a.has("--overwrite");
    refuseExisting({file}, overwrite);
    Card card(a.positional[0]);
    card.readSettings();
    report::DayJoins joins;
    std::vector<Loaded> loads;
    QString selection;
    if (eachDay) {
        const QStringList period = a.options["--period"];
        const int first = card.indexOf(period[0]);
        const int last = card.indexOf(period[1]);
        if (last < first || last - first > 30)
            throw Failure{QStringLiteral("期間は最大３１日分です。")};
        const data::TimeWindow window = timeWindow(a, false);
        for (int k = first; k <= last; ++k)
            loads.push_back(loadDay(card, card.catalogue[k], window));
        selection = QStringLiteral("days %1 %2").arg(period[0], period[1]);
    } else {
        loads.push_back(loadSelection(card, a));
        selection =
            a.has("--period")
                ? QStringLiteral("period %1 %2").arg(a.options["--period"][0], a.options["--period"][1])
                : QStringLiteral("day %1").arg(a.value("--day"));
    }
    if (ext != u"pdf") {
        QImage page = report::newPage();
        report::composePage(page, reportInputs(loads.front(), d), mode, joins);
        report::saveImage(page, file);
        return 0;
    }
    // The PDF is drawn as lines and text, and records what it was made from.
    report::Provenance provenance;
    provenance.program = report::programName();
    provenance.selection = selection;
    provenance.timeWindow = timeWindowText(loads.front().selection.window);
    QStringList read;
    for (const Loaded& l : loads)
        read += l.result.filesRead;
    if (card.settingsRead)
        read.append(QStringLiteral("MORVEL.TXT"));
    provenance.files = report::cardFiles(card.directory, read);
    // The summary page after the report's pages: the days of every page.
    std::optional<data::Summary> summary;
    if (withSummary) {
        QList<data::DayRecord> records;
        for (const Loaded& l : loads)
            records += l.result.days;
        try {
            summary = data::summarize(records, loads.front().selection.window, d.sStat, d.vStat);
        } catch (const DataError& e) {
            throw Failure{oneLine(e.text())};
        }
    }
    const int reportPages = static_cast<int>(loads.size());
    const Loaded& firstLoad = loads.front();
    const QString summaryPeriod =
        eachDay ? firstLoad.selection.text(firstLoad.selection.day) + QStringLiteral("~") +
                      loads.back().selection.text(loads.back().selection.day)
        : firstLoad.selection.monthMode ? firstLoad.page.date
                                        : firstLoad.selection.text(firstLoad.selection.day);
    report::writeReportPdf(
        file, reportPages + (summary ? 1 : 0),
        [&](QPainter& p, int i) {
            if (i == reportPages) {
                report::summaryPrintOut(p, *summary, summaryPeriod);
                return;
            }
            report::composePage(p, reportInputs(loads[static_cast<size_t>(i)], d), mode, joins);
        },
        provenance);
    return 0;
}

int commandGraph(const Arguments& a) {
    if (a.positional.size() != 2)
        throw UsageError{QStringLiteral("graph CARD OUTFILE.png")};
    const QString channel = a.value("--channel");
    if (channel != u"S" && channel != u"V")
        throw UsageError{QStringLiteral("--channel is S or V")};
    const bool noise = channel == u"S";
    const QString file = QFileInfo(a.positional[1]).absoluteFilePath();
    const QString ext = extensionOf(file);
    if (ext != u"png" && ext != u"bmp" && ext != u"jpg")
        throw UsageError{QStringLiteral("OUTFILE ends in .png, .bmp or .jpg")};
    QSize size;
    if (a.has("--size")) {
        const QStringList wh = a.value("--size").split(u'x');
        bool okW = false, okH = false;
        if (wh.size() == 2)
            size = QSize(wh[0].toInt(&okW), wh[1].toInt(&okH));
        if (!okW || !okH || size.width() < 40 || size.height() < 20 || size.width() > 8000 ||
            size.height() > 8000)
            throw UsageError{QStringLiteral("--size is WxH, from 40x20 to 8000x8000")};
    }
    Display d;
    d.lines = a.has("--lines");
    if (a.has("--level"))
        (noise ? d.sStat : d.vStat) = comboLevel(a.value("--level"), noise);
    if (a.has("--series"))
        (noise ? d.sSeries : d.vSeries) = levelList(a.value("--series"));
    const bool overwrite = a.has("--overwrite");
    refuseExisting({file}, overwrite);
    Card card(a.positional[0]);
    card.readSettings();
    const Loaded l = loadSelection(card, a);
    const bool period = l.selection.monthMode;
    if (!size.isValid())
        size = period ? QSize(945, 249) : QSize(930, 239);
    const data::CardData& data = l.result.data;
    graph::SeriesDrawing drawing;
    if (period) {
        drawing.form = graph::SeriesDrawing::MonthLines;
        drawing.hourly = noise ? &data.LA_ListMaxG : &data.LV_ListMaxG;
        drawing.days = l.selection.last - l.selection.first + 1;
        drawing.series = noise ? d.sSeries : d.vSeries;
    } else if (d.lines) {
        drawing.form = graph::SeriesDrawing::DayLines;
        drawing.lists = noise ? &data.LA_List : &data.LV_List;
        drawing.series = noise ? d.sSeries : d.vSeries;
    } else {
        drawing.lists = noise ? &data.LA_List : &data.LV_List;
        drawing.barStat = noise ? d.sStat : d.vStat;
    }
    QImage image = graph::newBitmap(size.width(), size.height());
    try {
        const int reference = toInt(l.page.items[noise ? ReferenceS : ReferenceV]);
        QPainter p;
        graph::beginGraphPainter(p, image);
        const graph::Plot plot = graph::Plot::ofBitmap(size.width(), size.height());
        const graph::GraphStyle style = graph::GraphStyle::screen();
        if (period)
            graph::drawMonthFrame(p, plot, style, reference, {l.selection.first, l.selection.last, [&] {
                                                                  QStringList texts;
                                                                  for (int i = 0;
                                                                       i < l.selection.catalogue.size(); ++i)
                                                                      texts.append(l.selection.text(i));
                                                                  return texts;
                                                              }()});
        else
            graph::drawDayFrame(p, plot, style, reference);
        graph::drawLevels(p, plot, style, drawing);
    } catch (const std::exception&) {
        throw Failure{data::corruptDataMessage()};
    }
    report::saveImage(image, file);
    return 0;
}

// Whether the card still holds the files a report was made from.
int commandVerify(const Arguments& a) {
    if (a.positional.size() != 2)
        throw UsageError{QStringLiteral("verify REPORT.pdf CARD")};
    const QString pdf = a.positional[0];
    QByteArray bytes;
    try {
        bytes = platform::readBytes(pdf);
    } catch (const DataError& e) {
        throw Failure{oneLine(e.text())};
    }
    const std::optional<report::Provenance> provenance = report::readProvenance(bytes);
    if (!provenance || provenance->files.isEmpty())
        throw Failure{tr("%1: not a report of Moravel, or it holds no record of its card files").arg(pdf)};
    const Card card(a.positional[1]);
    int differing = 0;
    for (const report::Provenance::File& f : provenance->files) {
        const QString path = card.directory + f.name;
        if (!platform::fileExists(path)) {
            out(tr("%1: missing from the card").arg(f.name));
            ++differing;
            continue;
        }
        const QList<report::Provenance::File> now = report::cardFiles(card.directory, {f.name});
        if (now.front().sha256 == f.sha256) {
            out(tr("%1: as the report read it").arg(f.name));
        } else {
            out(tr("%1: changed since the report was made").arg(f.name));
            ++differing;
        }
    }
    if (differing > 0) {
        out(tr("the card does not hold what the report (%1, %2) was made from")
                .arg(provenance->selection, provenance->program));
        return 1;
    }
    out(tr("the card holds what the report (%1, %2) was made from")
            .arg(provenance->selection, provenance->program));
    return 0;
}

// ---- the compliance summary ----

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

QByteArray summaryJson(const data::Summary& s) {
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
                QStringLiteral("{\"date\": %1, \"construction_day\": %2, \"reference\": %3, \"level\": %4, "
                               "\"entries\": %5, \"valid\": %6, \"leq\": %7, \"max\": %8, \"max_time\": %9, "
                               "\"exceeded_entries\": %10, \"exceedances\": [%11]}")
                    .arg(jsonString(data::isoDate(d.stem)), d.constructionDay ? "true" : "false")
                    .arg(d.reference)
                    .arg(jsonString(levelStatName(level)))
                    .arg(d.entries)
                    .arg(d.valid)
                    .arg(jsonNumber(d.leq), jsonNumber(d.max),
                         d.max ? jsonString(data::clockText(d.maxTime)) : QStringLiteral("null"))
                    .arg(d.exceededEntries)
                    .arg(runs.join(QStringLiteral(", "))));
        }
        channels.append(QStringLiteral("\"%1\": {\"level\": %2, \"days\": [%3]}")
                            .arg(QString::fromLatin1(name), jsonString(levelStatName(level)),
                                 items.join(QStringLiteral(", "))));
    };
    channel("S", s.sLevel, s.s);
    channel("V", s.vLevel, s.v);
    return (QStringLiteral("{\"from\": %1, \"to\": %2, \"channels\": {%3}}\n")
                .arg(jsonString(data::clockText(s.window.start)), jsonString(data::clockText(s.window.stop)),
                     channels.join(QStringLiteral(", "))))
        .toUtf8();
}

QString summaryText(const data::Summary& s) {
    QString out;
    auto channel = [&](const QString& title, int level, const QList<data::ChannelDay>& days) {
        out += tr("%1, level %2, time window %3-%4\n")
                   .arg(title, levelStatName(level), data::clockText(s.window.start),
                        data::clockText(s.window.stop));
        out += tr(
            "date        construction  reference  valid/entries  coverage  Leq    max    at     exceeded\n");
        for (const data::ChannelDay& d : days) {
            const QString none = QStringLiteral("-");
            out +=
                QStringLiteral("%1  %2  %3  %4  %5  %6  %7  %8  %9\n")
                    .arg(data::isoDate(d.stem), -10)
                    .arg(d.constructionDay ? tr("yes") : tr("no"), -12)
                    .arg(d.reference, -9)
                    .arg(QStringLiteral("%1/%2").arg(d.valid).arg(d.entries), -13)
                    .arg(d.entries ? QString::number(100.0 * d.valid / d.entries, 'f', 1) + u'%' : none, -8)
                    .arg(d.leq ? data::levelText(*d.leq) : none, -5)
                    .arg(d.max ? data::levelText(*d.max) : none, -5)
                    .arg(d.max ? data::clockText(d.maxTime) : none, -5)
                    .arg(tr("%1 min").arg(10 * d.exceededEntries));
            for (const data::Exceedance& r : d.exceedances)
                out += tr("            above the reference %1-%2, %3 entries, peak %4\n")
                           .arg(data::clockText(r.start), data::clockText(r.end))
                           .arg(r.entries)
                           .arg(data::levelText(r.peak));
        }
    };
    channel(tr("noise S"), s.sLevel, s.s);
    out += u'\n';
    channel(tr("vibration V"), s.vLevel, s.v);
    return out;
}

// The summary of the days of a selection, each day loaded as choosing it loads it.
data::Summary summaryOf(const Card& card, const QStringList& stems, const data::TimeWindow& window,
                        int sLevel, int vLevel) {
    QList<data::DayRecord> records;
    for (const QString& stem : stems) {
        try {
            records += loadDay(card, stem, window).result.days;
        } catch (const Failure& f) {
            throw Failure{stem + QStringLiteral(": ") + oneLine(f.text)};
        }
    }
    try {
        return data::summarize(records, window, sLevel, vLevel);
    } catch (const DataError& e) {
        throw Failure{oneLine(e.text())};
    }
}

QStringList selectedStems(const Card& card, const Arguments& a) {
    if (a.has("--day") == a.has("--period"))
        throw UsageError{QStringLiteral("give --day or --period")};
    if (a.has("--day")) {
        card.indexOf(a.value("--day"));
        return {a.value("--day")};
    }
    const int first = card.indexOf(a.options["--period"][0]);
    const int last = card.indexOf(a.options["--period"][1]);
    if (last < first)
        throw Failure{QStringLiteral("期間の最後の日が最初の日より前です。")};
    if (last - first > 30)
        throw Failure{QStringLiteral("期間は最大３１日分です。")};
    return card.catalogue.mid(first, last - first + 1);
}

int commandSummary(const Arguments& a) {
    if (a.positional.size() != 1)
        throw UsageError{QStringLiteral("summary CARD")};
    const QString format = a.has("--format") ? a.value("--format") : QStringLiteral("text");
    if (format != u"text" && format != u"csv" && format != u"json")
        throw UsageError{QStringLiteral("--format is text, csv or json")};
    const Display d = display(a);
    const Card card(a.positional[0]);
    const QStringList stems = selectedStems(card, a);
    const data::Summary summary = summaryOf(card, stems, timeWindow(a, a.has("--period")), d.sStat, d.vStat);
    QByteArray bytes;
    if (format == u"json")
        bytes = summaryJson(summary);
    else if (format == u"csv")
        bytes = csv::complianceCsv(summary);
    else
        bytes = summaryText(summary).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    return 0;
}

int commandCapacity(const Arguments& a) {
    if (a.positional.size() != 1)
        throw UsageError{QStringLiteral("capacity CARD")};
    const qint64 free = platform::freeBytes(a.positional[0]);
    if (free < 0)
        throw Failure{invalidCard()};
    for (const QString& line : app::capacityMessage(free).split(QStringLiteral("\r\n")))
        out(line);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // No window is ever shown: the drawing needs Qt's fonts, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("MORAVEL_CLI_QT_MESSAGES"))
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fputs((message + u'\n').toLocal8Bit().constData(), stderr);
        });
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args[0] == u"--help" || args[0] == u"-h" || args[0] == u"help") {
        std::fputs(Usage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args[0];
    const QStringList rest = args.mid(1);
    const QMap<QString, int> select = {
        {"--day", 1}, {"--period", 2}, {"--from", 1}, {"--to", 1}, {"--overwrite", 0}};
    try {
        if (command == u"days")
            return commandDays(parse(rest, {}));
        if (command == u"check")
            return commandCheck(parse(rest, {}));
        if (command == u"csv") {
            QMap<QString, int> known = select;
            known.insert("--all", 0);
            return commandCsv(parse(rest, known));
        }
        if (command == u"report") {
            QMap<QString, int> known = select;
            for (const char* o : {"--kind", "--noise-level", "--vibration-level", "--series", "--columns"})
                known.insert(QString::fromLatin1(o), 1);
            known.insert("--lines", 0);
            known.insert("--each-day", 0);
            known.insert("--summary", 0);
            return commandReport(parse(rest, known));
        }
        if (command == u"graph") {
            QMap<QString, int> known = select;
            for (const char* o : {"--channel", "--size", "--level", "--series"})
                known.insert(QString::fromLatin1(o), 1);
            known.insert("--lines", 0);
            return commandGraph(parse(rest, known));
        }
        if (command == u"capacity")
            return commandCapacity(parse(rest, {}));
        if (command == u"verify")
            return commandVerify(parse(rest, {}));
        if (command == u"summary") {
            QMap<QString, int> known = select;
            known.remove("--overwrite");
            for (const char* o : {"--noise-level", "--vibration-level", "--format"})
                known.insert(QString::fromLatin1(o), 1);
            return commandSummary(parse(rest, known));
        }
        if (command == u"version") {
            if (!rest.isEmpty())
                throw UsageError{QStringLiteral("version takes no arguments")};
            out(platform::versionText());
            return 0;
        }
        throw UsageError{QStringLiteral("unknown command %1").arg(command)};
    } catch (const UsageError& e) {
        err(e.text);
        std::fputs(Usage, stderr);
        return 2;
    } catch (const Failure& e) {
        err(e.text);
        return 1;
    } catch (const std::exception& e) {
        err(QString::fromStdString(e.what()));
        return 1;
    }
}
