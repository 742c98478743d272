// moravel-cli: the conversions and reports of the application from a script, on the same core
// functions as the windows, without a window and without questions.
#include "cli/Cli.h"
#include "platform/Console.h"
#include "platform/Stop.h"
#include "platform/Version.h"

#include <QGuiApplication>
#include <QLocale>
#include <QTranslator>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>

using namespace moravel::cli;

namespace {

struct Command {
    const char* name;
    QList<Option> options;
    std::function<int(const Arguments&)> run;
    std::function<QString()> help;
};

QList<Option> selection() {
    return {{"--day", 1}, {"--period", 2}, {"--from", 1}, {"--to", 1}};
}

QString usage() {
    return Cli::tr(
        "usage: moravel-cli COMMAND ARGUMENTS [OPTIONS]\n"
        "\n"
        "Reads the memory card of a noise and vibration monitor as Moravel does, without a window.\n"
        "\n"
        "commands:\n"
        "  days      CARD                  the measured days of the card, one yyyymmdd a line\n"
        "  check     CARD                  what the application would reject, and the file system\n"
        "  csv       CARD OUTDIR SELECTION the CSV files of the export window\n"
        "  report    CARD FILE SELECTION   the report page as .png, .bmp, .jpg or .pdf\n"
        "  graph     CARD FILE SELECTION   one graph of the main window as an image\n"
        "  summary   CARD SELECTION        per day: coverage, energy average, maximum, exceedances\n"
        "  levels    CARD --day YYYYMMDD   the raw seconds of a day: per step Leq, Lmax, L05 ... L95\n"
        "  events    CARD SELECTION        the events of the raw seconds: runs above a threshold\n"
        "  verify    REPORT.pdf CARD       whether the card makes a PDF report as it stands\n"
        "  settings  CARD                  the settings file MORVEL.TXT, shown or changed with --set\n"
        "  capacity  CARD                  the free space and the recording days left\n"
        "  version                         the version of the application\n"
        "\n"
        "CARD is a card directory. SELECTION is --day YYYYMMDD or --period FIRST LAST, days of the\n"
        "card, a period of at most 31 measured days.\n"
        "\"moravel-cli COMMAND --help\" tells more of a command; --version prints the version.\n"
        "Exit status: 0 done, 1 failed, 2 a usage error.\n");
}

QString timeWindowHelp() {
    return Cli::tr("  --from HH:MM --to HH:MM  the time window of the graphs and tables (minutes 00 or 30;\n"
                   "                           whole hours for a period); the same start and stop is the\n"
                   "                           whole day\n");
}

QString writingHelp() {
    return Cli::tr("  --overwrite              replace files that exist\n"
                   "  --quiet                  do not print the files written\n");
}

const QList<Command>& commands() {
    static const QList<Command> list = {
        {"days",
         {},
         commandDays,
         [] {
             return Cli::tr(
                 "usage: moravel-cli days CARD\n\n"
                 "Prints the measured days of the card, the days whose .LAC and .LVC files are both\n"
                 "there, one yyyymmdd a line.\n");
         }},
        {"check",
         {{"--raw", 0}},
         commandCheck,
         [] {
             return Cli::tr(
                 "usage: moravel-cli check CARD [--raw]\n\n"
                 "Loads every day as the main window loads it and prints each day the application\n"
                 "would reject with its message, a broken MORVEL.TXT, and the card's file system.\n"
                 "Exit status 1 when anything is wrong.\n\n"
                 "  --raw                    also tell, as information, the days whose ten-minute\n"
                 "                           entries differ by more than 1 dB from the statistics of\n"
                 "                           the raw seconds (a raw file of another day file)\n");
         }},
        {"csv", selection() + QList<Option>{{"--all", 0}, {"--overwrite", 0}, {"--quiet", 0}}, commandCsv,
         [] {
             return Cli::tr(
                        "usage: moravel-cli csv CARD OUTDIR (--day YYYYMMDD | --period FIRST LAST | --all)\n"
                        "                      [--from HH:MM --to HH:MM] [--overwrite] [--quiet]\n\n"
                        "Writes the CSV files of the export window into OUTDIR, which is made if it is\n"
                        "missing: --day the combined day file and the raw and day files of the day,\n"
                        "--period the period file, --all every raw and day file of the card. Prints the\n"
                        "files written.\n\n"
                        "  --from HH:MM --to HH:MM  the time window of the period file (whole hours)\n") +
                    writingHelp();
         }},
        {"report",
         selection() + QList<Option>{{"--kind", 1},
                                     {"--lines", 0},
                                     {"--noise-level", 1},
                                     {"--vibration-level", 1},
                                     {"--series", 1},
                                     {"--columns", 1},
                                     {"--each-day", 0},
                                     {"--summary", 0},
                                     {"--noise-method", 1},
                                     {"--vibration-method", 1},
                                     {"--overwrite", 0},
                                     {"--quiet", 0}},
         commandReport,
         [] {
             return Cli::tr(
                        "usage: moravel-cli report CARD FILE (--day YYYYMMDD | --period FIRST LAST) "
                        "[OPTIONS]\n\n"
                        "Writes the report page of the print window: an A4 page as a .png, .bmp or .jpg\n"
                        "image at 144 dots to the inch, or a .pdf of lines and text that records the card\n"
                        "files it was made from (see verify). The directory of FILE is made if it is\n"
                        "missing.\n\n"
                        "  --kind full|graph|table  graphs and tables (full, the default), graphs, tables\n"
                        "  --lines                  the graphs of a day as lines of the series, not bars\n"
                        "  --noise-level NAME       the level of the noise bars and table (default L05)\n"
                        "  --vibration-level NAME   the level of the vibration bars and table (default L10)\n"
                        "  --series NAME,...        the levels drawn as lines (Le for noise only)\n"
                        "  --columns NAME,...       the columns of the period table of --kind table\n"
                        "                           (Le for noise only)\n"
                        "  --each-day               with --period and a .pdf: one day page per day\n"
                        "  --summary                with a .pdf: a page of the compliance summary after\n"
                        "                           the report's pages\n"
                        "  --noise-method M, --vibration-method M\n"
                        "                           with --summary: how its entries are judged, as for\n"
                        "                           summary\n") +
                    timeWindowHelp() + writingHelp() +
                    Cli::tr("\nLevel names: Leq Le L05 L10 L50 L90 L95 Lmin Lmax. An option that changes "
                            "nothing\n"
                            "on the page asked for is a usage error.\n");
         }},
        {"graph",
         selection() + QList<Option>{{"--channel", 1},
                                     {"--size", 1},
                                     {"--lines", 0},
                                     {"--level", 1},
                                     {"--series", 1},
                                     {"--raw", 0},
                                     {"--overwrite", 0},
                                     {"--quiet", 0}},
         commandGraph,
         [] {
             return Cli::tr(
                        "usage: moravel-cli graph CARD FILE (--day YYYYMMDD | --period FIRST LAST)\n"
                        "                        --channel S|V [OPTIONS]\n\n"
                        "Writes one graph of the main window as a .png, .bmp or .jpg image.\n\n"
                        "  --channel S|V            noise (S) or vibration (V)\n"
                        "  --size WxH               the size in pixels (default 930x239, a period 945x249)\n"
                        "  --lines                  a day as lines of the series, not bars\n"
                        "  --level NAME             the level of the bars of a day\n"
                        "  --series NAME,...        the levels drawn as lines\n"
                        "\n"
                        "usage: moravel-cli graph CARD FILE --raw --day YYYYMMDD\n"
                        "                        [--from HH:MM[:SS] --to HH:MM[:SS]] [--size WxH]\n\n"
                        "With --raw, the time history of the day's seconds, noise above vibration, as\n"
                        "the page 時間変化 shows it, as an image or a .pdf; --from and --to give any\n"
                        "second (default the whole day), --size the picture (default 1044x404).\n") +
                    timeWindowHelp() + writingHelp();
         }},
        {"summary",
         selection() + QList<Option>{{"--noise-level", 1},
                                     {"--vibration-level", 1},
                                     {"--noise-method", 1},
                                     {"--vibration-method", 1},
                                     {"--format", 1}},
         commandSummary,
         [] {
             return Cli::tr(
                        "usage: moravel-cli summary CARD (--day YYYYMMDD | --period FIRST LAST)\n"
                        "                          [--from HH:MM --to HH:MM] [--noise-level NAME]\n"
                        "                          [--vibration-level NAME] [--format text|csv|json]\n\n"
                        "Prints per day and channel the entries of the time window, those measured, the\n"
                        "energy average of Leq, the maximum of the level and its time, and the runs of\n"
                        "entries above the day's reference value.\n\n"
                        "  --noise-level NAME       the noise level examined (default L05)\n"
                        "  --vibration-level NAME   the vibration level examined (default L10)\n"
                        "  --noise-method M         how a ten-minute entry of noise is judged: statistic\n"
                        "                           (the level, the default), lmax, maxima-mean (the mean\n"
                        "                           of the peaks of the events ending in it) or maxima-90\n"
                        "                           (the upper end of the 90 % range of those peaks)\n"
                        "  --vibration-method M     the same for vibration\n"
                        "  --format text|csv|json   a table (default), CSV in code page 932, or JSON\n\n"
                        "Whatever the method, each day also tells how many entries exceed by Lmax and\n"
                        "(with the raw files) by maxima-90, and warns where those exceed and the method\n"
                        "chosen does not.\n") +
                    timeWindowHelp();
         }},
        {"events",
         QList<Option>{{"--day", 1},
                       {"--period", 2},
                       {"--channel", 1},
                       {"--threshold", 1},
                       {"--gap", 1},
                       {"--format", 1}},
         commandEvents,
         [] {
             return Cli::tr(
                 "usage: moravel-cli events CARD (--day YYYYMMDD | --period FIRST LAST)\n"
                 "                         [--channel S|V] [--threshold DB|ref-10] [--gap SECONDS]\n"
                 "                         [--format text|csv|json]\n\n"
                 "Prints the events of the raw seconds of each day: runs of seconds above the\n"
                 "threshold, joined where fewer than the gap's seconds lie between them, with\n"
                 "their start, end, duration, peak and its time, Leq and SEL, and whether an\n"
                 "event of the other channel overlaps them.\n\n"
                 "  --channel S|V            noise (S) or vibration (V) only\n"
                 "  --threshold DB|ref-10    a level in dB, or each day's reference value less\n"
                 "                           10 dB (the default)\n"
                 "  --gap SECONDS            runs closer than this are one event (default 5)\n"
                 "  --format text|csv|json   a table (default), CSV in code page 932, or JSON\n");
         }},
        {"levels",
         {{"--day", 1}, {"--from", 1}, {"--to", 1}, {"--channel", 1}, {"--step", 1}, {"--format", 1}},
         commandLevels,
         [] {
             return Cli::tr(
                 "usage: moravel-cli levels CARD --day YYYYMMDD [--from HH:MM[:SS] --to HH:MM[:SS]]\n"
                 "                         [--channel S|V] [--step 1s|10s|1min|10min|1h]\n"
                 "                         [--format text|csv|json]\n\n"
                 "Prints the raw level files of a day (.LA, .LV, one sample a second) per step: the\n"
                 "valid seconds, Leq (the energy average), Lmax and its time, Lmin and L05, L10, L50,\n"
                 "L90, L95, where L_N is the sample at position ceil(n*N/100) of the n valid samples\n"
                 "sorted from the highest, values to a tenth. A step of 1s prints the samples.\n\n"
                 "  --day YYYYMMDD           the day\n"
                 "  --from, --to HH:MM[:SS]  the interval (default the whole day; --to may be 24:00)\n"
                 "  --channel S|V            one channel (default both)\n"
                 "  --step STEP              1s, 10s, 1min, 10min (default) or 1h\n"
                 "  --format text|csv|json   a table (default), CSV in code page 932, or JSON\n");
         }},
        {"verify",
         {{"--quiet", 0}},
         commandVerify,
         [] {
             return Cli::tr("usage: moravel-cli verify REPORT.pdf CARD [--quiet]\n\n"
                            "Whether the card makes the PDF report: every card file the report records as\n"
                            "it read it, no day file of its period added or missing, MORVEL.TXT as it was,\n"
                            "and every page as the card's data draws it with the choices the report\n"
                            "records. Exit status 1 with the reason otherwise, also for a file that is not\n"
                            "a PDF, is damaged or was not made by moravel-cli report.\n\n"
                            "  --quiet                  print nothing but a failure\n");
         }},
        {"settings",
         {{"--set", 1, true}, {"--not-fat32-ok", 0}, {"--quiet", 0}},
         commandSettings,
         [] {
             return Cli::tr(
                 "usage: moravel-cli settings CARD [--set NAME=VALUE]... [--not-fat32-ok] [--quiet]\n\n"
                 "Prints the items of the card's MORVEL.TXT, one NAME=VALUE a line. With --set,\n"
                 "changes them with the checks of the settings page and writes the file as it\n"
                 "does; nothing is written when a check fails.\n\n"
                 "  --set NAME=VALUE         site, place, position, noise-regulation,\n"
                 "                           vibration-regulation, notices, institution, person,\n"
                 "                           noise-reference, vibration-reference (0 to 99),\n"
                 "                           week (seven 0 or 1, Monday first), start, stop (HH:MM)\n"
                 "  --not-fat32-ok           write to a card that is not FAT32\n"
                 "  --quiet                  do not print the file written\n");
         }},
        {"capacity",
         {},
         commandCapacity,
         [] {
             return Cli::tr("usage: moravel-cli capacity CARD\n\n"
                            "Prints the free space of the card and the recording days it leaves.\n");
         }},
        {"version",
         {},
         [](const Arguments& a) {
             if (!a.positional.isEmpty())
                 throw UsageError{Cli::tr("version takes no arguments")};
             out(moravel::platform::versionText());
             return 0;
         },
         [] { return Cli::tr("usage: moravel-cli version\n\nPrints the version of the application.\n"); }},
    };
    return list;
}

void print(FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
}

// The command line's texts in Japanese under a Japanese locale.
void translate(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (QLocale().uiLanguages().value(0).startsWith(QStringLiteral("ja")) &&
        translator->load(QStringLiteral(":/i18n/moravel-cli_ja.qm")))
        QCoreApplication::installTranslator(translator);
}

} // namespace

namespace {

int run(const QStringList& args);

} // namespace

int main(int argc, char** argv) {
    // No window is ever shown: the drawing needs Qt's fonts, not a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("MORAVEL_CLI_QT_MESSAGES"))
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fputs((message + u'\n').toLocal8Bit().constData(), stderr);
        });
    moravel::platform::useBinaryStandardStreams();
    QGuiApplication app(argc, argv);
    translate(app);
    // A run stopped by SIGINT, SIGTERM or SIGHUP takes away what it made.
    moravel::platform::installStopHandlers();
    const int status = run(app.arguments().mid(1));
    // What could not be written to standard output (a full disk, a closed pipe) is a failure.
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int error = errno;
        err(QStringLiteral("moravel-cli: ") +
            Cli::tr("write error: %1")
                .arg(error ? QString::fromLocal8Bit(std::strerror(error)) : Cli::tr("standard output")));
        return 1;
    }
    return status;
}

namespace {

int run(const QStringList& args) {
    if (args.isEmpty()) {
        print(stderr, usage());
        return 2;
    }
    const QString name = args[0];
    const QList<Command>& list = commands();
    if (name == u"help" && args.size() == 2) {
        // "help COMMAND" as "COMMAND --help".
        const auto c = std::find_if(list.begin(), list.end(),
                                    [&](const Command& c) { return args[1] == QLatin1String(c.name); });
        if (c != list.end()) {
            print(stdout, c->help());
            return 0;
        }
    }
    if (name == u"--help" || name == u"-h" || name == u"help") {
        print(stdout, usage());
        return 0;
    }
    if (name == u"--version") {
        out(QStringLiteral("moravel-cli ") + moravel::platform::versionText());
        return 0;
    }
    const auto command = std::find_if(list.begin(), list.end(),
                                      [&](const Command& c) { return name == QLatin1String(c.name); });
    try {
        if (command == list.end())
            throw UsageError{Cli::tr("unknown command %1").arg(name)};
        const QStringList rest = args.mid(1);
        if (rest.contains(QStringLiteral("--help")) || rest.contains(QStringLiteral("-h"))) {
            print(stdout, command->help());
            return 0;
        }
        return command->run(parse(rest, command->options));
    } catch (const UsageError& e) {
        err(QStringLiteral("moravel-cli: ") + e.text);
        err(command == list.end() ? Cli::tr("\"moravel-cli --help\" lists the commands.")
                                  : Cli::tr("\"moravel-cli %1 --help\" tells how to use it.")
                                        .arg(QLatin1String(command->name)));
        return 2;
    } catch (const Failure& e) {
        for (const QString& line : e.text.split(u'\n'))
            err(QStringLiteral("moravel-cli: ") + line);
        return 1;
    } catch (const std::exception& e) {
        err(QStringLiteral("moravel-cli: ") + QString::fromLocal8Bit(e.what()));
        return 1;
    }
}

} // namespace
