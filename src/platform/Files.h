#pragma once

#include <QString>
#include <QStringList>

namespace moravel::platform {

// The names of the files directly inside a directory (no subdirectories, no paths), in the order
// the file system gives them. Throws DataError when the directory is missing or cannot be read
// (a card that was pulled out).
QStringList listFiles(const QString& directory);

bool fileExists(const QString& path);

// Writes bytes to a file through a temporary file beside it that is renamed over the target only
// when everything was written: the old file stays as it was when anything fails. Throws DataError.
// (Used for the CSV and image files on the computer; the card's settings file goes through
// writeLines, which also forces the new file to the card before it replaces the old one.)
void writeFileAtomically(const QString& path, const QByteArray& bytes);

// The text with a closing "/" if it has none.
QString withSeparator(const QString& directory);

} // namespace moravel::platform
