// The commands that read a card and write nothing: days, check, capacity, verify.
#include "cli/Cli.h"
#include "common/Errors.h"
#include "common/Fields.h"
#include "common/LevelStat.h"
#include "data/Capacity.h"
#include "data/Catalogue.h"
#include "data/Compliance.h"
#include "data/Raw.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "platform/Volume.h"
#include "report/PdfReading.h"
#include "report/ReportPdf.h"
#include "settings/SettingsFile.h"

#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <tuple>

namespace moravel::cli {

int commandDays(const Arguments& a) {
    if (a.positional.size() != 1)
        throw UsageError{Cli::tr("days takes one card directory")};
    for (const QString& stem : Card(a.positional[0]).catalogue)
        out(stem);
    return 0;
}

// The card as the application and the monitor take it: every day loaded as choosing it loads it,
// the settings file, the file system.
namespace {

// The ten-minute entries of a day file that the raw seconds of the day do not make (a raw file that
// belongs to another day file): per day and channel, how many differ by more than 1 dB in a level
// the day file holds, and the first of them.
QStringList rawMismatches(const Card& card) {
    QStringList lines;
    // The columns of a day file row after its date and time; Le is the exposure, not a level of
    // the seconds, and is left out.
    const int columns[] = {0, 2, 3, 4, 5, 6, 7, 8};
    for (const QString& stem : card.catalogue) {
        const data::RawDay day = data::loadRawDay(card.directory, stem);
        for (const auto& [raw, extension, name] :
             {std::tuple{&day.s, ".LAC", "S"}, std::tuple{&day.v, ".LVC", "V"}}) {
            if (raw->empty())
                continue;
            const QString rawName =
                stem + (QLatin1String(name) == u"S" ? QStringLiteral(".LA") : QStringLiteral(".LV"));
            if (raw->otherDate > 0 && raw->validSeconds() == 0) {
                lines.append(stem + u' ' +
                             Cli::tr("%1: %2 holds no second of its day (%3 lines of another date)")
                                 .arg(QLatin1String(name), rawName)
                                 .arg(raw->otherDate));
                continue;
            }
            QStringList rows;
            try {
                rows = platform::readLines(card.directory + stem + QLatin1String(extension));
            } catch (const DataError&) {
                continue; // said above with the day
            }
            int differing = 0;
            QString first;
            for (const QString& row : std::as_const(rows)) {
                const QStringList f = splitFields(row);
                if (f.size() < 11 || !holdsData(QStringView(row)))
                    continue;
                const QStringList hm = f[1].split(u':');
                const int minute = hm.value(0).toInt() * 60 + hm.value(1).toInt();
                if (hm.size() < 2 || minute % 10 != 0 || minute >= 1440)
                    continue;
                const data::IntervalStats st = data::intervalStats(*raw, minute * 60, minute * 60 + 600);
                if (st.valid == 0)
                    continue;
                const int fromSeconds[] = {st.leq, st.l05, st.l10, st.l50, st.l90, st.l95, st.lmin, st.lmax};
                bool differs = false;
                for (int i = 0; i < 8; ++i) {
                    bool ok = false;
                    const double v = f[2 + columns[i]].toDouble(&ok);
                    differs = differs || (ok && std::abs(v * 10 - fromSeconds[i]) > 10.5);
                }
                if (differs && differing++ == 0)
                    first = f[1];
            }
            if (differing > 0)
                lines.append(
                    stem + u' ' +
                    Cli::tr("%1: %2 ten-minute entries of %3 differ by more than 1 dB from the seconds "
                            "of %4 (the first at %5)")
                        .arg(QLatin1String(name))
                        .arg(differing)
                        .arg(stem + QLatin1String(extension),
                             stem +
                                 (name == QLatin1String("S") ? QStringLiteral(".LA") : QStringLiteral(".LV")),
                             first));
        }
    }
    return lines;
}

} // namespace

int commandCheck(const Arguments& a) {
    if (a.positional.size() != 1)
        throw UsageError{Cli::tr("check takes one card directory")};
    const Card card(a.positional[0]);
    QStringList problems;
    for (int k = 0; k < card.catalogue.size(); ++k) {
        data::Selection s = baseSelection(card);
        s.day = k;
        const data::LoadResult r = data::loadDay(s, {});
        const QString stem = card.catalogue[k];
        if (r.ok) {
            // What the compliance check and the reports refuse of a day the window loads.
            try {
                data::complianceOf(r.days, s.window, L05, L10);
            } catch (const DataError& e) {
                problems.append(stem + u' ' + oneLine(e.text()));
            }
            continue;
        }
        if (r.silentlyRejected)
            problems.append(stem + u' ' +
                            Cli::tr("rejected without a message: the STOP line of %1.LAC has no colon as its "
                                    "8th character")
                                .arg(stem));
        else
            problems.append(
                stem + u' ' +
                oneLine(r.messages.isEmpty() ? data::corruptDataMessage() : r.messages.join(u' ')));
    }
    // A day file without its partner: the day is not in the catalogue at all.
    QStringList names;
    QStringList special;
    try {
        names = platform::listFiles(card.directory);
        special = platform::listSpecialFiles(card.directory);
    } catch (const DataError&) {
        throw invalidDrive(a.positional[0]);
    }
    auto isCardFile = [](const QString& name) {
        QString stem, ext;
        data::splitExtension(name, stem, ext);
        return ext == u".LAC" || ext == u".LVC" || ext == u".LA" || ext == u".LV" || name == u"MORVEL.TXT";
    };
    // An empty mount point is not a card.
    if (std::none_of(names.begin(), names.end(), isCardFile))
        throw Failure{Cli::tr("%1: no day file and no MORVEL.TXT: not a memory card of the monitor")
                          .arg(a.positional[0])};
    for (const QString& name : std::as_const(special))
        if (isCardFile(name))
            problems.append(name + u' ' + Cli::tr("is not a regular file: skipped"));
    for (const QString& name : std::as_const(names)) {
        QString stem, ext;
        data::splitExtension(name, stem, ext);
        const QString partner = ext == u".LAC"   ? QStringLiteral(".LVC")
                                : ext == u".LVC" ? QStringLiteral(".LAC")
                                                 : QString();
        if (!partner.isEmpty() && !names.contains(stem + partner))
            problems.append(
                stem + u' ' +
                Cli::tr("%1 has no %2 beside it: the day is not shown").arg(name, stem + partner));
    }
    const QString settingsFile = settings::settingsFilePath(card.directory);
    const bool hasSettings = platform::fileExists(settingsFile);
    if (hasSettings) {
        try {
            if (settings::parseSettingsFile(platform::readLines(settingsFile)).corrupt)
                problems.append(QStringLiteral("MORVEL.TXT MORVEL.TXTは破損しています"));
        } catch (const DataError& e) {
            problems.append(QStringLiteral("MORVEL.TXT ") + fileErrorText(e));
        }
    }
    const QString fileSystem = platform::fileSystemName(card.directory);
    // A card the monitor will not take is not sound; where the file system cannot be told, the
    // card is judged by its files alone.
    const bool refused = !fileSystem.isEmpty() && fileSystem != u"FAT32";
    const QString fileSystemLine =
        fileSystem.isEmpty()
            ? Cli::tr("file system not known (not the root of a volume, or its type cannot be told): the "
                      "monitor takes FAT32 cards only")
        : fileSystem == u"FAT32"
            ? Cli::tr("file system FAT32: the monitor takes this card")
            : Cli::tr("file system %1: the monitor takes FAT32 cards only").arg(fileSystem);
    // Information, not a fault of the card: the application shows the day files as they are.
    const QStringList raw = a.has("--raw") ? rawMismatches(card) : QStringList();
    if (problems.isEmpty() && !refused) {
        out(Cli::tr("the card is sound: %1 measured days, %2, %3")
                .arg(card.catalogue.size())
                .arg(hasSettings ? Cli::tr("MORVEL.TXT readable") : Cli::tr("no MORVEL.TXT"),
                     fileSystemLine));
        for (const QString& line : raw)
            out(line);
        return 0;
    }
    for (const QString& line : problems)
        out(line);
    out(fileSystemLine);
    for (const QString& line : raw)
        out(line);
    return 1;
}

int commandCapacity(const Arguments& a) {
    if (a.positional.size() != 1)
        throw UsageError{Cli::tr("capacity takes one card directory")};
    const QString path = a.positional[0];
    requireCardDirectory(path);
    const qint64 free = platform::freeBytes(path);
    if (free < 0)
        throw invalidDrive(path);
    for (const QString& line : data::capacityMessage(free).split(QStringLiteral("\r\n")))
        out(line);
    return 0;
}

namespace {

// The first and last day (yyyymmdd) of a report's selection: "day X", "period A B", "days A B".
QStringList selectionRange(const QString& selection) {
    const QStringList words = selection.split(u' ');
    if (words.size() == 2 && words[0] == u"day")
        return {words[1], words[1]};
    if (words.size() == 3 && (words[0] == u"period" || words[0] == u"days"))
        return {words[1], words[2]};
    return {};
}

} // namespace

// Whether the card makes the report: the files it read unchanged, no day file of its period added
// or taken away, and every page as the card's data draws it with the choices the report records.
int commandVerify(const Arguments& a) {
    if (a.positional.size() != 2)
        throw UsageError{Cli::tr("verify takes a PDF report and a card directory")};
    const QString pdf = a.positional[0];
    const bool quiet = a.has("--quiet");
    QByteArray bytes;
    try {
        bytes = platform::readBytes(pdf, report::MaxPdfBytes);
    } catch (const DataError& e) {
        throw Failure{fileErrorText(e)};
    }
    report::PdfDocument document;
    try {
        document = report::readPdf(bytes);
    } catch (const DataError& e) {
        throw Failure{Cli::tr("%1: %2").arg(pdf, e.text())};
    }
    if (!document.metadata)
        throw Failure{Cli::tr("%1: holds no record of what it was made from (not a report of Moravel, or "
                              "its metadata was removed)")
                          .arg(pdf)};
    const std::optional<report::Provenance> provenance = report::readProvenance(*document.metadata);
    const QStringList range = provenance ? selectionRange(provenance->selection) : QStringList();
    if (!provenance || provenance->files.isEmpty() || provenance->options.isEmpty() || range.isEmpty())
        throw Failure{Cli::tr("%1: not a report of Moravel, or its record of what it was made from is "
                              "incomplete (a report of an earlier version)")
                          .arg(pdf)};
    QStringList names = provenance->listing;
    for (const report::Provenance::File& f : provenance->files)
        names.append(f.name);
    for (const QString& name : std::as_const(names))
        if (!report::isPlainCardName(name))
            throw Failure{Cli::tr("%1: its record names a file outside the card (%2); nothing was read")
                              .arg(pdf, name)};
    const QString made = Cli::tr("the report (%1, %2)").arg(provenance->selection, provenance->program);
    const Card card(a.positional[1]);
    QStringList differences;
    auto say = [&](const QString& line, bool differs) {
        if (!quiet)
            out(line);
        if (differs)
            differences.append(line);
    };
    for (const report::Provenance::File& f : provenance->files) {
        if (!platform::fileExists(card.directory + f.name)) {
            say(Cli::tr("%1: missing from the card").arg(f.name), true);
            continue;
        }
        QString now;
        try {
            now = report::cardFiles(card.directory, {f.name}).front().sha256;
        } catch (const DataError& e) {
            say(fileErrorText(e), true);
            continue;
        }
        if (now == f.sha256)
            say(Cli::tr("%1: as the report read it").arg(f.name), false);
        else
            say(Cli::tr("%1: changed since the report was made").arg(f.name), true);
    }
    QStringList listing;
    try {
        listing = dayFileListing(card.directory, range[0], range[1]);
    } catch (const DataError&) {
        throw invalidDrive(a.positional[1]);
    }
    for (const QString& name : std::as_const(listing))
        if (!provenance->listing.contains(name))
            say(Cli::tr("%1: added to the card since the report was made").arg(name), true);
    for (const QString& name : provenance->listing)
        if (!listing.contains(name) && !names.mid(provenance->listing.size()).contains(name))
            say(Cli::tr("%1: missing from the card").arg(name), true);
    // The settings file as a report made now would find it.
    QString settingsNow = QStringLiteral("absent");
    const QString settingsFile = card.directory + QStringLiteral("MORVEL.TXT");
    if (platform::fileExists(settingsFile)) {
        try {
            platform::readLines(settingsFile);
            settingsNow = QStringLiteral("read");
        } catch (const DataError&) {
            settingsNow = QStringLiteral("unreadable");
        }
    }
    if (settingsNow != provenance->settingsFile)
        say(Cli::tr("MORVEL.TXT: %1 when the report was made, %2 now")
                .arg(provenance->settingsFile, settingsNow),
            true);
    if (!differences.isEmpty())
        throw Failure{
            Cli::tr("the card does not hold what %1 was made from: %2").arg(made, differences.first())};

    // The report made again from the card with the same choices, page by page.
    QTemporaryDir tmp;
    if (!tmp.isValid())
        throw Failure{Cli::tr("no temporary directory to make the report again in")};
    Arguments again;
    again.positional = {card.directory, tmp.filePath(QStringLiteral("report.pdf"))};
    for (const QStringList& option : provenance->options)
        again.options.insert(option.value(0), option.mid(1));
    again.options.insert(QStringLiteral("--quiet"), {});
    report::PdfDocument remade;
    try {
        commandReport(again);
        remade = report::readPdf(platform::readBytes(again.positional[1], report::MaxPdfBytes));
    } catch (const Failure& e) {
        throw Failure{Cli::tr("the card no longer gives %1: %2").arg(made, e.text)};
    } catch (const UsageError& e) {
        throw Failure{Cli::tr("the card no longer gives %1: %2").arg(made, e.text)};
    } catch (const DataError& e) {
        throw Failure{Cli::tr("the card no longer gives %1: %2").arg(made, e.text())};
    }
    if (remade.pages.size() != document.pages.size())
        throw Failure{Cli::tr("%1 has %2 pages, the card gives %3")
                          .arg(pdf)
                          .arg(document.pages.size())
                          .arg(remade.pages.size())};
    for (int i = 0; i < document.pages.size(); ++i)
        if (document.pages[i] != remade.pages[i])
            throw Failure{
                Cli::tr("page %1 differs from what the card gives: it draws other lines or text than "
                        "the card's data with the report's choices")
                    .arg(i + 1)};
    if (!quiet)
        out(Cli::tr("the card gives %1: every file as it read it, every page as it shows").arg(made));
    return 0;
}

} // namespace moravel::cli
