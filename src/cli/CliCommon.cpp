#include "cli/Cli.h"

#include "common/Checked.h"
#include "common/Errors.h"
#include "common/LevelStat.h"
#include "data/Catalogue.h"
#include "platform/FileSystem.h"
#include "platform/Files.h"
#include "platform/Stop.h"
#include "platform/TextFile.h"
#include "settings/SettingsFile.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>

namespace moravel::cli {

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
    return text.trimmed();
}

Arguments parse(const QStringList& args, const QList<Option>& known) {
    Arguments a;
    bool onlyPositional = false;
    for (int i = 0; i < args.size(); ++i) {
        QString arg = args[i];
        if (onlyPositional || !arg.startsWith(u'-') || arg == u"-") {
            a.positional.append(arg);
            continue;
        }
        // "--" ends the options: what follows is positional, a name starting with "-" too.
        if (arg == u"--") {
            onlyPositional = true;
            continue;
        }
        // "--day=20210305" as "--day 20210305".
        std::optional<QString> inlineValue;
        const qsizetype equals = arg.indexOf(u'=');
        if (arg.startsWith(QStringLiteral("--")) && equals > 2) {
            inlineValue = arg.mid(equals + 1);
            arg = arg.left(equals);
        }
        const auto option =
            std::find_if(known.begin(), known.end(), [&](const Option& o) { return o.name == arg; });
        if (option == known.end())
            throw UsageError{Cli::tr("unknown option %1").arg(arg)};
        if (a.options.contains(arg) && !option->repeatable)
            throw UsageError{Cli::tr("%1 is given twice").arg(arg)};
        QStringList& values = a.options[arg];
        if (inlineValue) {
            if (option->values != 1)
                throw UsageError{option->values == 0
                                     ? Cli::tr("%1 takes no value").arg(arg)
                                     : Cli::tr("%1 needs %2 values").arg(arg).arg(option->values)};
            values.append(*inlineValue);
            continue;
        }
        for (int k = 0; k < option->values; ++k) {
            if (i + 1 >= args.size() || args[i + 1].startsWith(QStringLiteral("--")))
                throw UsageError{option->values == 1
                                     ? Cli::tr("%1 needs a value").arg(arg)
                                     : Cli::tr("%1 needs %2 values").arg(arg).arg(option->values)};
            values.append(args[++i]);
        }
    }
    return a;
}

QSize sizeOption(const Arguments& a, const QSize& smallest, const QSize& fallback) {
    if (!a.has("--size"))
        return fallback;
    const QStringList wh = a.value("--size").split(u'x');
    bool okW = false, okH = false;
    QSize size;
    if (wh.size() == 2)
        size = QSize(wh[0].toInt(&okW), wh[1].toInt(&okH));
    if (!okW || !okH || size.width() < smallest.width() || size.height() < smallest.height() ||
        size.width() > 8000 || size.height() > 8000)
        throw UsageError{Cli::tr("--size %1: the size is WxH, from %2x%3 to 8000x8000")
                             .arg(a.value("--size"))
                             .arg(smallest.width())
                             .arg(smallest.height())};
    return size;
}

QString formatOption(const Arguments& a) {
    const QString format = a.has("--format") ? a.value("--format") : QStringLiteral("text");
    if (format != u"text" && format != u"csv" && format != u"json")
        throw UsageError{Cli::tr("--format %1: the formats are text, csv and json").arg(format)};
    return format;
}

QString extensionOf(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    return ext == u"jpeg" ? QStringLiteral("jpg") : ext;
}

void refuseIneffective(const Arguments& a, const QString& option, bool effective, const QString& why) {
    if (a.has(option) && !effective)
        throw UsageError{Cli::tr("%1 has no effect here: %2").arg(option, why)};
}

QString dayStem(const QString& option, const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]{8}$"));
    // A stem is a name on the card, not a calendar check: the catalogue lists 20210230 too.
    if (!digits.match(text).hasMatch())
        throw UsageError{Cli::tr("%1 %2: a day is written yyyymmdd, as 20210305").arg(option, text)};
    return text;
}

data::TimeWindow timeWindow(const Arguments& a, bool period) {
    if (a.has("--from") != a.has("--to"))
        throw UsageError{Cli::tr("--from and --to go together")};
    if (!a.has("--from"))
        return {};
    auto minutes = [&](const QString& option) {
        const QString text = a.value(option);
        const QStringList parts = text.split(u':');
        int h = -1;
        const bool read = parts.size() == 2 && parts[0].size() == 2 && tryToInt(parts[0], h) && h >= 0 &&
                          h <= 23 && (parts[1] == u"00" || parts[1] == u"30");
        if (!read)
            throw UsageError{Cli::tr("%1 %2: a time is HH:MM from 00:00 to 23:30, the minutes 00 or 30")
                                 .arg(option, text)};
        const int m = parts[1] == u"30" ? 30 : 0;
        if (period && m != 0)
            throw UsageError{
                Cli::tr("%1 %2: the time window of a period takes whole hours").arg(option, text)};
        return h * 60 + m;
    };
    return {minutes(QStringLiteral("--from")), minutes(QStringLiteral("--to"))};
}

QString timeWindowText(const data::TimeWindow& w) {
    auto hm = [](int minutes) {
        return QStringLiteral("%1:%2")
            .arg(minutes / 60, 2, 10, QLatin1Char('0'))
            .arg(minutes % 60, 2, 10, QLatin1Char('0'));
    };
    return hm(w.start) + u'-' + hm(w.stop);
}

namespace {} // namespace

void requireCardDirectory(const QString& path) {
    const QString problem = platform::sys::unreadableDirectory(path);
    if (!problem.isEmpty())
        throw Failure{Cli::tr("%1: cannot read the card directory: %2").arg(path, problem)};
}

Failure invalidDrive(const QString& path) {
    return Failure{path + QStringLiteral(": ") + QStringLiteral("指定されたドライブが無効になっています。")};
}

Card::Card(const QString& path) {
    requireCardDirectory(path);
    directory = platform::withSeparator(QDir(path).absolutePath());
    try {
        catalogue = data::catalogueFromNames(platform::listFiles(directory));
    } catch (const DataError&) {
        throw invalidDrive(path);
    }
}

void Card::readSettings() {
    const QString file = settings::settingsFilePath(directory);
    if (!platform::fileExists(file))
        return;
    try {
        const settings::SettingsContent content = settings::parseSettingsFile(platform::readLines(file));
        settingsState = QStringLiteral("read");
        // A complaint about the settings file does not stop the run; it is said as every message is.
        if (content.corrupt)
            err(QStringLiteral("moravel-cli: ") + file + QStringLiteral(": MORVEL.TXTは破損しています"));
        else
            settings = content.items;
    } catch (const DataError& e) {
        settingsState = QStringLiteral("unreadable");
        err(QStringLiteral("moravel-cli: ") + oneLine(fileErrorText(e)));
    }
}

QStringList dayFileListing(const QString& directory, const QString& first, const QString& last) {
    QStringList names;
    for (const QString& name : platform::listFiles(directory)) {
        QString stem, ext;
        data::splitExtension(name, stem, ext);
        if ((ext == u".LAC" || ext == u".LVC") && stem.size() == 8 && stem >= first && stem <= last)
            names.append(name);
    }
    return names;
}

int Card::indexOf(const QString& option, const QString& stem) const {
    const int i = static_cast<int>(catalogue.indexOf(stem));
    if (i < 0)
        throw Failure{Cli::tr("%1 %2: the card has no measured day of this date").arg(option, stem)};
    return i;
}

data::Selection baseSelection(const Card& card) {
    data::Selection s;
    s.directory = card.directory;
    s.catalogue = card.catalogue;
    return s;
}

namespace {

Loaded load(const Card& card, data::Selection selection, const QString& what) {
    Loaded l;
    l.selection = std::move(selection);
    l.result = l.selection.monthMode ? data::loadPeriod(l.selection, {}) : data::loadDay(l.selection, {});
    if (!l.result.ok)
        throw Failure{what + QStringLiteral(": ") +
                      oneLine(l.result.messages.isEmpty() ? data::corruptDataMessage()
                                                          : l.result.messages.join(u'\n'))};
    l.page = data::itemPage(*l.result.header, card.settings);
    return l;
}

// The first and the last day of --period, as catalogue indexes.
std::pair<int, int> periodIndexes(const Card& card, const Arguments& a) {
    const QStringList period = a.options.value(QStringLiteral("--period"));
    const int first =
        card.indexOf(QStringLiteral("--period"), dayStem(QStringLiteral("--period"), period[0]));
    const int last = card.indexOf(QStringLiteral("--period"), dayStem(QStringLiteral("--period"), period[1]));
    if (last < first)
        throw UsageError{
            Cli::tr("--period %1 %2: the last day is before the first").arg(period[0], period[1])};
    if (last - first > 30)
        throw Failure{Cli::tr("--period %1 %2: %3 measured days; a period holds at most 31")
                          .arg(period[0], period[1])
                          .arg(last - first + 1)};
    return {first, last};
}

void requireSelection(const Arguments& a) {
    if (a.has("--day") == a.has("--period"))
        throw UsageError{Cli::tr("give --day or --period")};
}

} // namespace

Loaded loadDay(const Card& card, const QString& stem, const data::TimeWindow& window) {
    data::Selection s = baseSelection(card);
    s.day = card.indexOf(QStringLiteral("--day"), stem);
    s.window = window;
    return load(card, std::move(s), stem);
}

Loaded loadSelection(const Card& card, const Arguments& a) {
    requireSelection(a);
    const bool period = a.has("--period");
    const data::TimeWindow window = timeWindow(a, period);
    if (!period)
        return loadDay(card, dayStem(QStringLiteral("--day"), a.value("--day")), window);
    const auto [first, last] = periodIndexes(card, a);
    data::Selection s = baseSelection(card);
    s.monthMode = true;
    s.first = first;
    s.last = last;
    s.window = window;
    return load(card, std::move(s), card.catalogue[first] + u'-' + card.catalogue[last]);
}

QStringList selectedStems(const Card& card, const Arguments& a) {
    requireSelection(a);
    if (a.has("--day")) {
        const QString stem = dayStem(QStringLiteral("--day"), a.value("--day"));
        card.indexOf(QStringLiteral("--day"), stem);
        return {stem};
    }
    const auto [first, last] = periodIndexes(card, a);
    return card.catalogue.mid(first, last - first + 1);
}

// ---- outputs ----

Outputs::Outputs(bool overwrite, bool quiet) : m_overwrite(overwrite), m_quiet(quiet) {
    // Without --overwrite no file is ever replaced, also one another run made meanwhile.
    platform::setNoReplace(!overwrite);
}

Outputs::~Outputs() {
    if (!m_done) {
        // Only what this run put in place: a file of the same name another run made stays.
        for (const QString& f : std::as_const(m_newFiles))
            if (platform::createdHere(f))
                QFile::remove(f);
        for (auto d = m_directories.crbegin(); d != m_directories.crend(); ++d)
            QDir().rmdir(*d);
    }
    unmark();
}

void Outputs::unmark() {
    for (int ticket : std::as_const(m_stopTickets))
        platform::unmarkForStop(ticket);
    m_stopTickets.clear();
}

void Outputs::directory(const QString& path) {
    const QString absolute = QDir::cleanPath(QDir(path).absolutePath());
    QStringList missing;
    QString at = absolute;
    while (!QFileInfo::exists(at) && !QFileInfo(at).isSymLink()) {
        missing.prepend(at);
        const QString parent = QFileInfo(at).path();
        if (parent == at)
            break;
        at = parent;
    }
    const QString existing = missing.isEmpty() ? absolute : QFileInfo(missing.first()).path();
    const QString problem = platform::sys::unwritableDirectory(existing);
    if (!problem.isEmpty()) {
        if (missing.isEmpty())
            throw Failure{Cli::tr("%1: cannot write into the output directory: %2").arg(path, problem)};
        throw Failure{Cli::tr("%1: cannot make the output directory: %2: %3").arg(path, existing, problem)};
    }
    for (const QString& d : std::as_const(missing)) {
        // Marked before it is made: a run stopped at any moment takes it away.
        const int ticket = platform::markForStop(d, true);
        const QString failure = platform::sys::makeDirectory(d);
        if (!failure.isEmpty()) {
            platform::unmarkForStop(ticket);
            throw Failure{Cli::tr("%1: cannot make the output directory: %2").arg(path, failure)};
        }
        m_directories.append(d);
        m_stopTickets.append(ticket);
    }
}

void Outputs::file(const QString& path) {
    const QFileInfo info(path);
    if (info.isDir())
        throw Failure{Cli::tr("%1: cannot write the file: %2").arg(path, platform::systemReason(EISDIR))};
    // A symbolic link is a name that exists, also where it points nowhere.
    const bool exists = info.exists() || info.isSymLink();
    if (exists && !m_overwrite)
        throw Failure{Cli::tr("%1: the file exists (--overwrite replaces it)").arg(path)};
    m_files.append(path);
    if (!exists)
        m_newFiles.append(path);
}

void Outputs::done() {
    m_done = true;
    unmark();
    if (m_quiet)
        return;
    for (const QString& f : std::as_const(m_files))
        if (QFileInfo::exists(f))
            out(QDir::toNativeSeparators(f));
}

QString fileErrorText(const std::exception& error) {
    const auto* e = dynamic_cast<const DataError*>(&error);
    if (e && !e->path().isEmpty() && !e->reason().isEmpty())
        return Cli::tr("%1: %2").arg(e->path(), e->reason());
    return e ? oneLine(e->text()) : QString::fromLocal8Bit(error.what());
}

// ---- levels ----

QList<int> levelList(const QString& option, const QString& list) {
    QList<int> stats;
    for (const QString& name : list.split(u',', Qt::SkipEmptyParts)) {
        const int stat = levelStatOf(name);
        if (stat < 0)
            throw UsageError{Cli::tr("%1: %2 is not a level; the levels are %3")
                                 .arg(option, name, QStringLiteral("Leq Le L05 L10 L50 L90 L95 Lmin Lmax"))};
        if (!stats.contains(stat))
            stats.append(stat);
    }
    if (stats.isEmpty())
        throw UsageError{Cli::tr("%1 needs at least one level").arg(option)};
    std::sort(stats.begin(), stats.end());
    return stats;
}

int comboLevel(const QString& option, const QString& name, bool noise) {
    const int stat = levelStatOf(name);
    if (stat < 0 || (!noise && stat == Le))
        throw UsageError{Cli::tr("%1: %2 is not a level of the %3 channel; its levels are %4")
                             .arg(option, name, noise ? Cli::tr("noise") : Cli::tr("vibration"),
                                  noise ? QStringLiteral("Leq Le L05 L10 L50 L90 L95 Lmin Lmax")
                                        : QStringLiteral("Leq L05 L10 L50 L90 L95 Lmin Lmax"))};
    return stat;
}

data::DisplayChoices display(const Arguments& a) {
    data::DisplayChoices d;
    d.lines = a.has("--lines");
    if (a.has("--noise-level"))
        d.sStat = comboLevel(QStringLiteral("--noise-level"), a.value("--noise-level"), true);
    if (a.has("--vibration-level"))
        d.vStat = comboLevel(QStringLiteral("--vibration-level"), a.value("--vibration-level"), false);
    d.sStatText = levelStatName(d.sStat);
    d.vStatText = levelStatName(d.vStat);
    // The vibration files hold no Le: a list that names it chooses Le for the noise channel only.
    if (a.has("--series")) {
        d.sSeries = d.vSeries = levelList(QStringLiteral("--series"), a.value("--series"));
        d.vSeries.removeAll(Le);
    }
    if (a.has("--columns")) {
        d.sColumns = d.vColumns = levelList(QStringLiteral("--columns"), a.value("--columns"));
        d.vColumns.removeAll(Le);
    }
    return d;
}

} // namespace moravel::cli
