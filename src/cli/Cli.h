#pragma once
// What the commands of moravel-cli share: the command line, the card, the day or period a command
// works on, the files it writes, and its texts in the user's language.

#include "data/Choices.h"
#include "data/Events.h"
#include "data/Loading.h"

#include <QCoreApplication>
#include <QList>
#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>

namespace moravel::cli {

// The command line's own texts; the messages of the application it quotes stay as they are.
class Cli {
    Q_DECLARE_TR_FUNCTIONS(Cli)
};

// A command line that cannot be run as it stands (exit 2).
struct UsageError {
    QString text;
};

// A run that could not do what it was asked (exit 1).
struct Failure {
    QString text;
};

void out(const QString& text);
void err(const QString& text);
// A message of the application as one line of a terminal.
QString oneLine(QString text);

// An option of a command and the number of values that follow it; a repeatable one may be given
// more than once, its values gathered in order.
struct Option {
    QString name;
    int values = 0;
    bool repeatable = false;
};

// The command line after the command: positional arguments and options.
struct Arguments {
    QStringList positional;
    QMap<QString, QStringList> options;

    bool has(const QString& name) const { return options.contains(name); }
    QString value(const QString& name) const { return options.value(name).value(0); }
};

Arguments parse(const QStringList& args, const QList<Option>& known);

// The method of --noise-method or --vibration-method; statistic where it is not given.
data::Method methodOption(const Arguments& a, const QString& option);
// The picture's size given by --size WxH, `fallback` where it is not given; a usage error outside
// `smallest` to 8000x8000.
QSize sizeOption(const Arguments& a, const QSize& smallest, const QSize& fallback);
// The output's form given by --format: text (where it is not given), csv or json.
QString formatOption(const Arguments& a);
// The file's kind by its extension, in lower case; ".jpeg" is a ".jpg".
QString extensionOf(const QString& path);
// A usage error when the option is given where it changes nothing.
void refuseIneffective(const Arguments& a, const QString& option, bool effective, const QString& why);

// The day stem given with an option: eight digits of a real date, yyyymmdd.
QString dayStem(const QString& option, const QString& text);
// --from and --to; a period takes whole hours.
data::TimeWindow timeWindow(const Arguments& a, bool period);
// "HH:MM-HH:MM"; a start equal to the stop is the whole day.
QString timeWindowText(const data::TimeWindow& window);

// A failure with the system's reason unless the directory can be read as a card.
void requireCardDirectory(const QString& path);
// The application's message for a directory it cannot take as a card, after the path.
Failure invalidDrive(const QString& path);

// A card directory as the main window takes it when it is chosen: its catalogue of measured days
// and the texts of its settings file.
struct Card {
    QString directory; // ends with a path separator
    QStringList catalogue;
    ItemTexts settings; // empty where there is no settings file or a broken one
    // The settings file as reading it found it: "absent", "read" (also where its content is broken)
    // or "unreadable".
    QString settingsState = QStringLiteral("absent");

    explicit Card(const QString& path);
    // Reads the settings file, as choosing the directory does. A settings file the application
    // complains about does not stop a conversion or a report: the complaint goes to standard error.
    void readSettings();
    // The catalogue index of a day given with an option.
    int indexOf(const QString& option, const QString& stem) const;
};

// The names of the card's day files (.LAC and .LVC) whose dates lie from `first` to `last`
// (yyyymmdd), in the card's order.
QStringList dayFileListing(const QString& directory, const QString& first, const QString& last);

// A day or a period of a card, loaded as the main window loads it.
struct Loaded {
    data::Selection selection;
    data::LoadResult result;
    // The item page: the header of the day file with the settings file's texts in place.
    data::ItemPage page;
};

data::Selection baseSelection(const Card& card);
Loaded loadDay(const Card& card, const QString& stem, const data::TimeWindow& window);
// The selection of --day or --period.
Loaded loadSelection(const Card& card, const Arguments& a);
// The stems of --day or --period: a period is at most 31 measured days, its last not before its
// first.
QStringList selectedStems(const Card& card, const Arguments& a);

// What a writing command creates: the directories made for its output and the files that were not
// there before. A run that fails removes them again; one that succeeds names its files.
class Outputs {
public:
    Outputs(bool overwrite, bool quiet);
    ~Outputs();
    Outputs(const Outputs&) = delete;
    Outputs& operator=(const Outputs&) = delete;

    // Makes the directory and those above it that are missing; one that exists must be writable.
    void directory(const QString& path);
    // A file to be written: an existing one only with --overwrite, never a directory.
    void file(const QString& path);
    // The run succeeded: the files it wrote, one a line, unless --quiet.
    void done();

private:
    bool m_overwrite;
    bool m_quiet;
    bool m_done = false;
    QStringList m_directories; // made by this run, outermost first
    QStringList m_files;       // to be written
    QStringList m_newFiles;    // of them, those that were not there
    QList<int> m_stopTickets;  // the directories and new files, taken away should the run be stopped
    void unmark();
};

// A file error of the core as the command line tells it: the path and the system's reason where
// it has them, otherwise the application's message.
QString fileErrorText(const std::exception& error);

// A list of level names given with an option, in the order of the levels.
QList<int> levelList(const QString& option, const QString& list);
// A level of a level combo by name: the noise combo holds all nine, the vibration combo all but Le.
int comboLevel(const QString& option, const QString& name, bool noise);
// The choices of --lines, --noise-level, --vibration-level, --series and --columns over the window's
// choices at start-up.
data::DisplayChoices display(const Arguments& a);

int commandDays(const Arguments& a);
int commandCheck(const Arguments& a);
int commandCapacity(const Arguments& a);
int commandVerify(const Arguments& a);
int commandCsv(const Arguments& a);
int commandReport(const Arguments& a);
int commandGraph(const Arguments& a);
int commandSummary(const Arguments& a);
int commandEvents(const Arguments& a);
int commandLevels(const Arguments& a);
int commandRawGraph(const Arguments& a);
int commandSettings(const Arguments& a);

} // namespace moravel::cli
