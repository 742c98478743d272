#include "platform/Files.h"

#include "common/Errors.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace moravel::platform {

QStringList listFiles(const QString& directory) {
    const QFileInfo info(directory);
    if (directory.isEmpty() || !info.exists() || !info.isDir() || !info.isReadable())
        throw DataError(QStringLiteral("%1\r\nを読み込めません。").arg(directory));
    QStringList names;
    QDirIterator it(directory, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    return names;
}

bool fileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString withSeparator(const QString& directory) {
    if (directory.endsWith(u'/') || directory.endsWith(QDir::separator()))
        return directory;
    return directory + u'/';
}

} // namespace moravel::platform
