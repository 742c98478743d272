// The commands that write files: csv, report, graph.
#include "cli/Cli.h"
#include "common/Checked.h"
#include "common/Errors.h"
#include "common/LevelStat.h"
#include "data/Catalogue.h"
#include "data/Compliance.h"
#include "export/Conversion.h"
#include "graph/GraphDrawing.h"
#include "platform/Files.h"
#include "report/ImageFile.h"
#include "report/ReportPage.h"
#include "report/ReportPdf.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <optional>

namespace moravel::cli {

namespace {

// Runs a conversion into directories and files the outputs were told of.
void convert(const csv::ConversionRequest& request, bool overwrite) {
    QStringList messages;
    QStringList failures;
    csv::ConversionCallbacks callbacks;
    // Every file was checked before the run: one that is there now was made meanwhile by another
    // run, and is not this run's to replace.
    callbacks.mayReplace = [&, overwrite](const QString& path) {
        if (!overwrite) {
            const QString text = Cli::tr("%1: the file exists (--overwrite replaces it)").arg(path);
            if (!failures.contains(text))
                failures.append(text);
        }
        return overwrite;
    };
    callbacks.message = [&](const QString& text) { messages.append(oneLine(text)); };
    callbacks.failure = [&](const std::exception& e) {
        const QString text = fileErrorText(e);
        if (!failures.contains(text))
            failures.append(text);
    };
    const csv::ConversionResult result = csv::runConversion(request, callbacks);
    if (result.flag && messages.isEmpty() && failures.isEmpty())
        return;
    QStringList texts = failures.isEmpty() ? messages : failures;
    if (texts.isEmpty())
        texts.append(QStringLiteral("変換が失敗しました。"));
    throw Failure{texts.join(u'\n')};
}

// The choices of the options on the loaded selection.
data::DisplayChoices choicesOf(const Loaded& l, const data::DisplayChoices& options) {
    data::DisplayChoices d = data::choicesOf(l.selection);
    d.lines = options.lines;
    d.sStat = options.sStat;
    d.vStat = options.vStat;
    d.sStatText = options.sStatText;
    d.vStatText = options.vStatText;
    d.sSeries = options.sSeries;
    d.vSeries = options.vSeries;
    d.sColumns = options.sColumns;
    d.vColumns = options.vColumns;
    return d;
}

report::ReportInputs reportInputs(const Loaded& l, const data::DisplayChoices& options) {
    return {l.page, choicesOf(l, options), &l.result.data};
}

} // namespace

int commandCsv(const Arguments& a) {
    if (a.positional.size() != 2)
        throw UsageError{Cli::tr("csv takes a card directory and an output directory")};
    if (a.has("--day") + a.has("--period") + a.has("--all") != 1)
        throw UsageError{Cli::tr("give one of --day, --period, --all")};
    const bool period = a.has("--period");
    for (const char* option : {"--from", "--to"})
        refuseIneffective(a, QString::fromLatin1(option), period,
                          Cli::tr("the CSV files of --day and --all hold whole days"));
    timeWindow(a, period);
    if (a.has("--day"))
        dayStem(QStringLiteral("--day"), a.value("--day"));
    Outputs outputs(a.has("--overwrite"), a.has("--quiet"));
    Card card(a.positional[0]);
    card.readSettings();
    const QString outDir = QDir::cleanPath(QDir(a.positional[1]).absolutePath());
    csv::ConversionRequest request;
    request.cardDirectory = card.directory;
    request.saveDirectory = outDir;
    QStringList files;
    std::optional<Loaded> loaded;
    if (a.has("--all")) {
        if (card.catalogue.isEmpty())
            throw Failure{Cli::tr("%1: the card holds no measured day").arg(a.positional[0])};
        request.bulk = true;
        for (const QString& name : platform::listFiles(card.directory)) {
            QString stem, ext;
            data::splitExtension(name, stem, ext);
            if (ext == u".LA" || ext == u".LV" || ext == u".LAC" || ext == u".LVC")
                files.append(outDir + u'/' + stem + u'_' + ext.mid(1) + QStringLiteral(".csv"));
        }
    } else {
        loaded = loadSelection(card, a);
        const Loaded& l = *loaded;
        request = csv::conversionRequest(data::choicesOf(l.selection), l.page, l.result.data);
        request.saveDirectory = outDir;
        if (l.selection.monthMode) {
            files.append(outDir + u'/' + request.firstText.value_or(QString()) + u'_' +
                         request.lastText.value_or(QString()) + QStringLiteral(".CSV"));
        } else {
            const QString stem = a.value("--day");
            files.append(outDir + u'/' + stem + QStringLiteral(".csv"));
            for (const char* ext : {"LA", "LV"})
                if (QFileInfo::exists(card.directory + stem + u'.' + QString::fromLatin1(ext)))
                    files.append(outDir + u'/' + stem + u'_' + QString::fromLatin1(ext) +
                                 QStringLiteral(".csv"));
            files.append(outDir + u'/' + stem + QStringLiteral("_LAC.csv"));
            files.append(outDir + u'/' + stem + QStringLiteral("_LVC.csv"));
        }
    }
    outputs.directory(a.positional[1]);
    for (const QString& f : std::as_const(files))
        outputs.file(f);
    convert(request, a.has("--overwrite"));
    outputs.done();
    return 0;
}

int commandReport(const Arguments& a) {
    if (a.positional.size() != 2)
        throw UsageError{Cli::tr("report takes a card directory and an output file")};
    const QString file = QFileInfo(a.positional[1]).absoluteFilePath();
    const QString ext = extensionOf(file);
    if (ext != u"png" && ext != u"bmp" && ext != u"jpg" && ext != u"pdf")
        throw UsageError{
            Cli::tr("%1: the report file ends in .png, .bmp, .jpg or .pdf").arg(a.positional[1])};
    const QString kind = a.has("--kind") ? a.value("--kind") : QStringLiteral("full");
    int mode = 0;
    if (kind == u"full")
        mode = report::FullReport;
    else if (kind == u"graph")
        mode = report::GraphReport;
    else if (kind == u"table")
        mode = report::TableReport;
    else
        throw UsageError{Cli::tr("--kind %1: the kinds are full, graph and table").arg(kind)};
    const bool eachDay = a.has("--each-day");
    if (eachDay && (!a.has("--period") || ext != u"pdf"))
        throw UsageError{Cli::tr("--each-day goes with --period and a .pdf file")};
    const bool withSummary = a.has("--summary");
    if (withSummary && ext != u"pdf")
        throw UsageError{Cli::tr("--summary goes with a .pdf file")};
    for (const char* option : {"--noise-method", "--vibration-method"})
        refuseIneffective(a, QString::fromLatin1(option), withSummary,
                          Cli::tr("only the summary of --summary judges the entries"));
    // What each choice changes on the page: the graphs of a day are bars of one level, or lines of the
    // series with --lines; those of a period are always lines; the tables show the chosen level, the
    // period table of --kind table its columns.
    const bool dayPages = !a.has("--period") || eachDay;
    const bool graphs = mode != report::TableReport;
    const bool lines = a.has("--lines");
    refuseIneffective(a, QStringLiteral("--lines"), graphs && dayPages,
                      graphs ? Cli::tr("the graphs of a period are always lines")
                             : Cli::tr("--kind table has no graphs"));
    refuseIneffective(a, QStringLiteral("--series"), graphs && (!dayPages || lines),
                      graphs ? Cli::tr("the graphs of a day are bars of one level without --lines")
                             : Cli::tr("--kind table has no graphs"));
    const bool levels = (graphs && dayPages && !lines) || mode == report::FullReport ||
                        (mode == report::TableReport && dayPages) || withSummary;
    for (const char* option : {"--noise-level", "--vibration-level"})
        refuseIneffective(a, QString::fromLatin1(option), levels,
                          Cli::tr("this page shows neither a bar graph nor a table of one level"));
    refuseIneffective(a, QStringLiteral("--columns"), mode == report::TableReport && !dayPages,
                      Cli::tr("only the period table of --kind table has columns to choose"));
    const data::DisplayChoices d = display(a);
    const data::TimeWindow window = timeWindow(a, !dayPages);
    Outputs outputs(a.has("--overwrite"), a.has("--quiet"));
    Card card(a.positional[0]);
    card.readSettings();
    std::vector<Loaded> loads;
    QString selection;
    if (eachDay) {
        for (const QString& stem : selectedStems(card, a))
            loads.push_back(loadDay(card, stem, window));
        const QStringList period = a.options.value(QStringLiteral("--period"));
        selection = QStringLiteral("days %1 %2").arg(period[0], period[1]);
    } else {
        loads.push_back(loadSelection(card, a));
        selection =
            a.has("--period")
                ? QStringLiteral("period %1 %2").arg(a.options["--period"][0], a.options["--period"][1])
                : QStringLiteral("day %1").arg(a.value("--day"));
    }
    // A day the compliance check refuses (a reference that is not a whole number, a level that is no
    // number) is refused here too, naming its file: the report and the summary agree.
    for (const Loaded& l : loads)
        for (const data::DayRecord& day : l.result.days)
            // A stem that is not a calendar date (20210230) has no compliance to judge; its pages stand.
            if (QDate::fromString(day.stem, QStringLiteral("yyyyMMdd")).isValid())
                try {
                    data::complianceOf({day}, l.selection.window, d.sStat, d.vStat);
                } catch (const DataError& e) {
                    throw Failure{oneLine(e.text())};
                }
    // The compliance page after the report's pages: the days of every page.
    std::optional<data::Compliance> compliance;
    if (withSummary) {
        QList<data::DayRecord> records;
        for (const Loaded& l : loads)
            records += l.result.days;
        data::addEvents(records, card.directory);
        try {
            const QStringList range = a.has("--period") ? a.options.value(QStringLiteral("--period"))
                                                        : QStringList{a.value("--day"), a.value("--day")};
            compliance =
                data::complianceOf(records, loads.front().selection.window, d.sStat, d.vStat, range.value(0),
                                   range.value(1), methodOption(a, QStringLiteral("--noise-method")),
                                   methodOption(a, QStringLiteral("--vibration-method")));
        } catch (const DataError& e) {
            throw Failure{oneLine(e.text())};
        }
    }
    outputs.directory(QFileInfo(a.positional[1]).path());
    outputs.file(file);
    report::DayJoins joins;
    try {
        if (ext != u"pdf") {
            QImage page = report::newPage();
            report::composePage(page, reportInputs(loads.front(), d), mode, joins);
            report::saveImage(page, file);
            outputs.done();
            return 0;
        }
        // The PDF is drawn as lines and text, and records what it was made from.
        report::Provenance provenance;
        provenance.program = report::programName();
        provenance.selection = selection;
        provenance.timeWindow = timeWindowText(loads.front().selection.window);
        for (auto it = a.options.cbegin(); it != a.options.cend(); ++it)
            if (it.key() != u"--overwrite" && it.key() != u"--quiet")
                provenance.options.append(QStringList{it.key()} + it.value());
        const QStringList range = a.has("--period") ? a.options.value(QStringLiteral("--period"))
                                                    : QStringList{a.value("--day"), a.value("--day")};
        provenance.listing = dayFileListing(card.directory, range.value(0), range.value(1));
        provenance.settingsFile = card.settingsState;
        QStringList read;
        for (const Loaded& l : loads)
            read += l.result.filesRead;
        if (card.settingsState == u"read")
            read.append(QStringLiteral("MORVEL.TXT"));
        provenance.files = report::cardFiles(card.directory, read);
        const int reportPages = static_cast<int>(loads.size());
        const Loaded& firstLoad = loads.front();
        const QString summaryPeriod =
            eachDay ? firstLoad.selection.text(firstLoad.selection.day) + QStringLiteral("~") +
                          loads.back().selection.text(loads.back().selection.day)
            : firstLoad.selection.monthMode ? firstLoad.page.date
                                            : firstLoad.selection.text(firstLoad.selection.day);
        report::writeReportPdf(
            file, reportPages + (compliance ? report::compliancePageCount(*compliance) : 0),
            [&](QPainter& p, int i) {
                if (i >= reportPages) {
                    report::compliancePrintOut(p, *compliance, summaryPeriod, i - reportPages);
                    return;
                }
                report::composePage(p, reportInputs(loads[static_cast<size_t>(i)], d), mode, joins);
            },
            provenance);
    } catch (const DataError& e) {
        throw Failure{fileErrorText(e)};
    }
    outputs.done();
    return 0;
}

int commandGraph(const Arguments& a) {
    if (a.has("--raw"))
        return commandRawGraph(a);
    if (a.positional.size() != 2)
        throw UsageError{Cli::tr("graph takes a card directory and an output file")};
    if (!a.has("--channel"))
        throw UsageError{Cli::tr("give --channel S or --channel V")};
    const QString channel = a.value("--channel");
    if (channel != u"S" && channel != u"V")
        throw UsageError{Cli::tr("--channel %1: the channels are S (noise) and V (vibration)").arg(channel)};
    const bool noise = channel == u"S";
    const QString file = QFileInfo(a.positional[1]).absoluteFilePath();
    const QString ext = extensionOf(file);
    if (ext != u"png" && ext != u"bmp" && ext != u"jpg")
        throw UsageError{Cli::tr("%1: the graph file ends in .png, .bmp or .jpg").arg(a.positional[1])};
    QSize size = sizeOption(a, QSize(40, 20), QSize());
    const bool dayGraph = !a.has("--period");
    const bool lines = a.has("--lines");
    refuseIneffective(a, QStringLiteral("--lines"), dayGraph,
                      Cli::tr("the graph of a period is always lines"));
    refuseIneffective(a, QStringLiteral("--series"), !dayGraph || lines,
                      Cli::tr("the graph of a day is bars of one level without --lines"));
    refuseIneffective(a, QStringLiteral("--level"), dayGraph && !lines,
                      Cli::tr("only the bar graph of a day shows one level"));
    data::DisplayChoices d;
    d.lines = lines;
    if (a.has("--level"))
        (noise ? d.sStat : d.vStat) = comboLevel(QStringLiteral("--level"), a.value("--level"), noise);
    if (a.has("--series")) {
        const QList<int> series = levelList(QStringLiteral("--series"), a.value("--series"));
        if (!noise && series.contains(Le))
            throw UsageError{Cli::tr("--series: Le is not a level of the vibration channel")};
        (noise ? d.sSeries : d.vSeries) = series;
    }
    Outputs outputs(a.has("--overwrite"), a.has("--quiet"));
    Card card(a.positional[0]);
    card.readSettings();
    const Loaded l = loadSelection(card, a);
    const bool period = l.selection.monthMode;
    if (!size.isValid())
        size = period ? QSize(945, 249) : QSize(930, 239);
    const data::DisplayChoices choices = choicesOf(l, d);
    const graph::SeriesDrawing drawing = graph::seriesDrawing(choices, l.result.data, noise ? 0 : 1);
    QImage image = graph::newBitmap(size.width(), size.height());
    try {
        const int reference = toInt(l.page.items[noise ? ReferenceS : ReferenceV]);
        QPainter p;
        graph::beginGraphPainter(p, image);
        const graph::Plot plot = graph::Plot::ofBitmap(size.width(), size.height());
        const graph::GraphStyle style = graph::GraphStyle::screen();
        if (period) {
            graph::drawMonthFrame(p, plot, style, reference, graph::monthAxis(choices));
        } else {
            graph::drawDayFrame(p, plot, style, reference);
        }
        graph::drawLevels(p, plot, style, drawing);
    } catch (const std::exception&) {
        throw Failure{data::corruptDataMessage()};
    }
    outputs.directory(QFileInfo(a.positional[1]).path());
    outputs.file(file);
    try {
        report::saveImage(image, file);
    } catch (const DataError& e) {
        throw Failure{fileErrorText(e)};
    }
    outputs.done();
    return 0;
}

} // namespace moravel::cli
