#include "platform/Files.h"

#include "common/Errors.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cstdio>

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
    // A new file beside the target, written unbuffered so that every failure is seen, closed, and
    // renamed over the target: the target is the old file or the whole new one, never a part.
    const QFileInfo target(path);
    const QString dir = target.absolutePath();
    QFile temp;
    for (int attempt = 0; attempt < 100 && !temp.isOpen(); ++attempt) {
        temp.setFileName(QStringLiteral("%1/.%2.%3.tmp")
                             .arg(dir, target.fileName())
                             .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        if (!temp.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered) &&
            temp.error() != QFileDevice::OpenError)
            break;
    }
    if (!temp.isOpen())
        throw DataError(writeFailure(path));
    bool written = temp.write(bytes) == bytes.size();
    temp.close();
    written = written && temp.error() == QFileDevice::NoError;
    if (!written || std::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(temp.fileName());
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
