#pragma once

#include <QString>
#include <QStringList>

namespace moravel::platform {

// The names of the files directly inside a directory (no subdirectories, no paths), in the order
// the file system gives them. Throws DataError when the directory is missing or cannot be read
// (a card that was pulled out).
QStringList listFiles(const QString& directory);

bool fileExists(const QString& path);

// The text with a closing "/" if it has none.
QString withSeparator(const QString& directory);

} // namespace moravel::platform
