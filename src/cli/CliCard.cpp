// The commands that read a card and write nothing: days, check, capacity, verify.
#include "cli/Cli.h"
#include "common/Errors.h"
#include "data/Capacity.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "platform/Volume.h"
#include "report/ReportPdf.h"
#include "settings/SettingsFile.h"

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
int commandCheck(const Arguments& a) {
    if (a.positional.size() != 1)
        throw UsageError{Cli::tr("check takes one card directory")};
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
                            Cli::tr("rejected without a message: the STOP line of %1.LAC has no colon as its "
                                    "8th character")
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
            problems.append(QStringLiteral("MORVEL.TXT ") + fileErrorText(e));
        }
    }
    const QString fileSystem = platform::fileSystemName(card.directory);
    const QString fileSystemLine =
        fileSystem.isEmpty()
            ? Cli::tr("file system not known (not the root of a volume, or its type cannot be told): the "
                      "monitor takes FAT32 cards only")
        : fileSystem == u"FAT32"
            ? Cli::tr("file system FAT32: the monitor takes this card")
            : Cli::tr("file system %1: the monitor takes FAT32 cards only").arg(fileSystem);
    if (problems.isEmpty()) {
        out(Cli::tr("the card is sound: %1 measured days, %2, %3")
                .arg(card.catalogue.size())
                .arg(hasSettings ? Cli::tr("MORVEL.TXT readable") : Cli::tr("no MORVEL.TXT"),
                     fileSystemLine));
        return 0;
    }
    for (const QString& line : problems)
        out(line);
    out(fileSystemLine);
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

// Whether the card still holds the files a report was made from.
int commandVerify(const Arguments& a) {
    if (a.positional.size() != 2)
        throw UsageError{Cli::tr("verify takes a PDF report and a card directory")};
    const QString pdf = a.positional[0];
    QByteArray bytes;
    try {
        bytes = platform::readBytes(pdf);
    } catch (const DataError& e) {
        throw Failure{fileErrorText(e)};
    }
    const std::optional<report::Provenance> provenance = report::readProvenance(bytes);
    if (!provenance || provenance->files.isEmpty())
        throw Failure{
            Cli::tr("%1: not a report of Moravel, or it holds no record of its card files").arg(pdf)};
    const Card card(a.positional[1]);
    int differing = 0;
    for (const report::Provenance::File& f : provenance->files) {
        const QString path = card.directory + f.name;
        if (!platform::fileExists(path)) {
            out(Cli::tr("%1: missing from the card").arg(f.name));
            ++differing;
            continue;
        }
        const QList<report::Provenance::File> now = report::cardFiles(card.directory, {f.name});
        if (now.front().sha256 == f.sha256) {
            out(Cli::tr("%1: as the report read it").arg(f.name));
        } else {
            out(Cli::tr("%1: changed since the report was made").arg(f.name));
            ++differing;
        }
    }
    if (differing > 0) {
        out(Cli::tr("the card does not hold what the report (%1, %2) was made from")
                .arg(provenance->selection, provenance->program));
        return 1;
    }
    out(Cli::tr("the card holds what the report (%1, %2) was made from")
            .arg(provenance->selection, provenance->program));
    return 0;
}

} // namespace moravel::cli
