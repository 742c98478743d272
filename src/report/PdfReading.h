#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

namespace moravel::report {

// A PDF as a check of a report reads it: the document catalog's metadata stream and what each page
// draws.
struct PdfDocument {
    std::optional<QByteArray> metadata; // the catalog's /Metadata stream, decoded; none without one
    QList<QByteArray> pages;            // each page's content streams, decoded and joined
};

// The largest PDF read, and the most a stream may decode to: a report of 31 pages is far smaller.
constexpr qsizetype MaxPdfBytes = 64 * 1024 * 1024;

// Reads a PDF from its bytes, without repairing it: a file that is not a PDF, is cut short, is
// damaged or too large throws DataError with the reason.
PdfDocument readPdf(const QByteArray& bytes);

} // namespace moravel::report
