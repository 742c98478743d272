// The device settings file of a card: shown, or changed with the checks of the settings page and
// written as it writes it.
#include "cli/Cli.h"
#include "common/Errors.h"
#include "common/Text.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "platform/Volume.h"
#include "settings/SettingsFile.h"

#include <QRegularExpression>

namespace moravel::cli {

namespace {

// The names of the items on the command line, in the order of the file. The file's fourth line
// repeats the position.
struct Name {
    const char* name;
    int item; // -1 for the weekday flags and the LED times
};

const Name Names[] = {
    {"site", MeasTarget},
    {"place", MeasSpot},
    {"position", MeasPositionS},
    {"noise-regulation", RegulationS},
    {"vibration-regulation", RegulationV},
    {"notices", Notices},
    {"institution", MeasInstitution},
    {"person", MeasName},
    {"noise-reference", ReferenceS},
    {"vibration-reference", ReferenceV},
    {"week", -1},
    {"start", -1},
    {"stop", -1},
};

const QStringList& names() {
    static const QStringList list = [] {
        QStringList l;
        for (const Name& n : Names)
            l.append(QString::fromLatin1(n.name));
        return l;
    }();
    return list;
}

// An LED time "HH:MM" as the settings page's combos offer it: the hours 00 to 23, the minutes 00
// or 30.
bool ledTime(const QString& text) {
    static const QRegularExpression time(QStringLiteral("^([01][0-9]|2[0-3]):(00|30)$"));
    return time.match(text).hasMatch();
}

// The LED time of a settings file's START or STOP line: the hour as the settings page reads it,
// the minutes kept where they are one of the page's ("00" or "30"), otherwise "00" as the page sets.
QString fileTime(const QStringList& lines, int line, const QString& key, int hour) {
    QString text = lines.value(line);
    text.remove(key);
    const QString minute = text.mid(3, 2);
    return QStringLiteral("%1:%2").arg(hour, 2, 10, QLatin1Char('0')).arg(minute == u"30" ? minute : "00");
}

} // namespace

int commandSettings(const Arguments& a) {
    if (a.positional.size() != 1)
        throw UsageError{Cli::tr("settings takes one card directory")};
    const bool setting = a.has("--set");
    for (const char* option : {"--not-fat32-ok", "--quiet"})
        refuseIneffective(a, QString::fromLatin1(option), setting, Cli::tr("it goes with --set"));
    // The changes, checked as a command line before the card is touched.
    QMap<QString, QString> changes;
    for (const QString& change : a.options.value(QStringLiteral("--set"))) {
        const qsizetype equals = change.indexOf(u'=');
        const QString name = change.left(equals);
        if (equals < 0 || !names().contains(name))
            throw UsageError{Cli::tr("--set %1: give NAME=VALUE, the names being %2")
                                 .arg(change, names().join(QStringLiteral(", ")))};
        if (changes.contains(name))
            throw UsageError{Cli::tr("--set %1: %2 is set twice").arg(change, name)};
        changes.insert(name, change.mid(equals + 1));
    }
    const Card card(a.positional[0]);
    const QString path = settings::settingsFilePath(card.directory);

    // What the settings page shows of the file: its items, weekday flags and LED hours.
    settings::SettingsEntries entries;
    entries.weekFlags = QStringLiteral("0000000");
    QString start = QStringLiteral("00:00"), stop = QStringLiteral("00:00");
    const bool exists = platform::fileExists(path);
    QByteArray original;
    if (exists) {
        QStringList lines;
        try {
            original = platform::readBytes(path);
            lines = inFile(path, [&] { return platform::decodeLines(original); });
        } catch (const DataError& e) {
            throw Failure{fileErrorText(e)};
        }
        const settings::SettingsContent content = settings::parseSettingsFile(lines);
        if (content.corrupt)
            throw Failure{path + QStringLiteral(": ") + QStringLiteral("MORVEL.TXTは破損しています")};
        entries.items = content.items;
        entries.weekFlags.clear();
        for (bool day : content.week)
            entries.weekFlags += day ? u'1' : u'0';
        start = fileTime(lines, 14, QStringLiteral("START,"), *content.startHour);
        stop = fileTime(lines, 15, QStringLiteral("STOP,"), *content.stopHour);
    } else if (!setting) {
        throw Failure{Cli::tr("%1: there is no settings file on the card").arg(path)};
    }

    if (!setting) {
        for (const Name& n : Names) {
            const QString name = QString::fromLatin1(n.name);
            const QString value = n.item >= 0 ? entries.items[static_cast<size_t>(n.item)]
                                  : name == QStringLiteral("week")  ? entries.weekFlags
                                  : name == QStringLiteral("start") ? start
                                                                    : stop;
            // What a damaged file holds is shown, control characters and all, as escapes.
            out(name + u'=' + escapedControls(value));
        }
        return 0;
    }

    // Every problem is told before anything is written: the file system, then the entries in the
    // order the settings page checks them.
    QStringList problems;
    const QString fileSystem = platform::fileSystemName(card.directory);
    const bool notFat32Ok = a.has("--not-fat32-ok");
    if (fileSystem != u"FAT32" && !notFat32Ok)
        problems.append(Cli::tr("%1: the file system is %2, and the monitor takes FAT32 cards only "
                                "(--not-fat32-ok writes the file all the same)")
                            .arg(a.positional[0], fileSystem.isEmpty() ? Cli::tr("not known") : fileSystem));
    for (const Name& n : Names) {
        const QString name = QString::fromLatin1(n.name);
        if (!changes.contains(name))
            continue;
        const QString value = changes.value(name);
        if (n.item >= 0) {
            // As on the settings page, the vibration meter's position keeps what the file said: the file
            // gets the position twice.
            entries.items[static_cast<size_t>(n.item)] = value;
        } else if (name == u"week") {
            static const QRegularExpression flags(QStringLiteral("^[01]{7}$"));
            if (flags.match(value).hasMatch())
                entries.weekFlags = value;
            else
                problems.append(Cli::tr("week=%1: seven flags of 0 and 1, Monday first").arg(value));
        } else if (ledTime(value)) {
            (name == u"start" ? start : stop) = value;
        } else {
            problems.append(Cli::tr("%1=%2: a time is HH:MM, the minutes 00 or 30").arg(name, value));
        }
    }
    entries.startHour = start.left(2);
    entries.startMinute = start.mid(3);
    entries.stopHour = stop.left(2);
    entries.stopMinute = stop.mid(3);
    // The settings page's complaints about what is set, each after the argument that set the item.
    // An item of the file's own that is not changed is written back byte for byte and is not the
    // person's to answer for; one that cannot be (its line changes, or the file is UTF-8 or UTF-16)
    // is said after the file and its line.
    const std::vector<bool> kept = platform::keptLines(settings::settingsFileLines(entries), original);
    for (const QString& m : settings::inputCheck(entries.items)) {
        QString about = path;
        int longest = 0;
        bool written = false;
        for (const Name& n : Names) {
            if (n.item < 0)
                continue;
            const QString& label = settings::itemLabels()[static_cast<size_t>(n.item)];
            const QString name = QString::fromLatin1(n.name);
            if (m.startsWith(label) && label.size() > longest) {
                longest = static_cast<int>(label.size());
                const int line = settings::itemLine(n.item);
                written = !changes.contains(name) && kept[static_cast<size_t>(line)];
                about = changes.contains(name)
                            ? QStringLiteral("--set ") + name + u'=' + excerpt(changes.value(name))
                            : Cli::tr("%1, line %2").arg(path).arg(line + 1);
            }
        }
        if (!written)
            problems.append(about + QStringLiteral(": ") + m);
    }
    if (!problems.isEmpty())
        throw Failure{problems.join(u'\n')};

    Outputs outputs(true, a.has("--quiet"));
    outputs.file(path);
    // Registered as the settings page registers it, every question answered: the file system was
    // checked above, the entries too.
    settings::RegisterCallbacks callbacks;
    callbacks.fileSystemName = [&] { return notFat32Ok ? QStringLiteral("FAT32") : fileSystem; };
    callbacks.ask = [](const QString&) { return true; };
    QStringList warnings;
    // The settings editor's complaint, after the file it is about.
    callbacks.warning = [&](const QString& text) {
        warnings.append(path + QStringLiteral(": ") + oneLine(text));
    };
    callbacks.information = [](const QString&) {};
    callbacks.inputCheck = [](const ItemTexts&) { return QStringList(); }; // checked above
    try {
        if (settings::registerSettings(card.directory, entries, callbacks) !=
            settings::RegisterOutcome::Written)
            throw Failure{warnings.isEmpty() ? Cli::tr("%1: the settings were not written").arg(path)
                                             : warnings.join(u'\n')};
    } catch (const DataError& e) {
        throw Failure{fileErrorText(e)};
    }
    outputs.done();
    return 0;
}

} // namespace moravel::cli
