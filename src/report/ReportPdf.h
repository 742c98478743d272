#pragma once

#include <QByteArray>
#include <QList>
#include <QPainter>
#include <QString>
#include <functional>
#include <optional>

namespace moravel::report {

// What a report was made from, kept in its PDF so that the report can be checked against the card
// later: the program, the day or period, the time window, the choices it was made with, the day
// files of the period on the card, whether the settings file was there, and the SHA-256 of every
// card file read.
struct Provenance {
    QString program;    // "Moravel 1.0.1.6"
    QString selection;  // "day 20210302", "period 20210301 20210307", "days 20210301 20210305"
    QString timeWindow; // "08:30-17:00"; "00:00-00:00" is the whole day
    // The command's options that shape the report, each its name and values: {"--kind", "table"}.
    QList<QStringList> options;
    QStringList listing;  // the names of the card's day files of the period, in order
    QString settingsFile; // "absent", "read" or "unreadable": MORVEL.TXT as the report found it
    struct File {
        QString name;   // in the card directory: "20210301.LAC", "MORVEL.TXT"
        QString sha256; // hex
        bool operator==(const File& o) const { return name == o.name && sha256 == o.sha256; }
    };
    QList<File> files;
    bool operator==(const Provenance& o) const {
        return program == o.program && selection == o.selection && timeWindow == o.timeWindow &&
               options == o.options && listing == o.listing && settingsFile == o.settingsFile &&
               files == o.files;
    }
};

// Whether a name is a plain name of a file directly in the card directory: no separator, not "." or
// "..", no control character. A record naming anything else is not read.
bool isPlainCardName(const QString& name);

// The SHA-256 of every file of a card directory (ending with a path separator) named in `names`, in
// that order, each once. Throws DataError when one cannot be read.
QList<Provenance::File> cardFiles(const QString& directory, const QStringList& names);

// The program and version as the report names itself: "Moravel 1.0.1.6".
QString programName();

// Writes report pages as a PDF of A4 portrait sheets: page i is drawn by `compose` in the page's
// coordinates (1191 x 1684 units, one unit a pixel of the page bitmap, 144 to the inch), lines as
// lines and texts as text with the font embedded. The provenance goes into the document's metadata;
// nothing is added to the pages. The file is written beside the target and renamed over it once
// complete. Throws DataError, also what a composition throws (and then nothing is written).
void writeReportPdf(const QString& path, int pages, const std::function<void(QPainter&, int)>& compose,
                    const Provenance& provenance);

// The provenance in the XMP metadata of a PDF written by writeReportPdf; nothing for any other
// metadata.
std::optional<Provenance> readProvenance(const QByteArray& metadata);

} // namespace moravel::report
