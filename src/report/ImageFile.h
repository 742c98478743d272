#pragma once

#include <QImage>
#include <QString>

namespace moravel::report {

// The file name of a saved report from the period text, without its extension: every "/" and "\"
// removed, so that the name stays inside the chosen directory. An empty period text gives an empty
// name (the file is then called ".png", say). Throws DataError for a name of nothing but dots.
QString imageBaseName(const QString& periodText);

// The page's resolution in pixels to the metre: 144 to the inch.
constexpr int PageDotsPerMeter = 5669;

// Encodes the page in the format its extension names (".bmp", ".png", ".jpg") with the encoder's
// default settings and writes it in one piece: a failure leaves no partly written image and
// throws DataError.
void saveImage(const QImage& page, const QString& path);

} // namespace moravel::report
