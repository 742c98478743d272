#include "platform/Files.h"

#include "common/Errors.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSaveFile>

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

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    // Unbuffered, so that every failure of the write is seen (see TextWriter).
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size() ||
        !file.commit()) {
        file.cancelWriting();
        throw DataError(writeFailure(path));
    }
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
