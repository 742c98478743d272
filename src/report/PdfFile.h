#pragma once

#include <QImage>
#include <QList>
#include <QString>

namespace moravel::report {

// Writes report pages as a PDF of A4 portrait sheets, each page stretched over its whole sheet and
// kept without loss. The file is written beside the target and renamed over it once complete.
// Throws DataError.
void writeImagePdf(const QString& path, const QList<QImage>& pages);

} // namespace moravel::report
