#include "platform/Volume.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace moravel::platform {

qint64 freeBytes(const QString& directory) {
    if (directory.isEmpty() || !QFileInfo(directory).isDir())
        return -1;
    QStorageInfo storage(directory);
    if (!storage.isValid() || !storage.isReady())
        return -1;
    return storage.bytesAvailable();
}

QString fileSystemNameFromProbe(const QString& type, const QString& version) {
    const QString t = type.toLower();
    if (t == u"vfat" || t == u"msdos") {
        if (version.compare(u"FAT32", Qt::CaseInsensitive) == 0)
            return QStringLiteral("FAT32");
        if (version.compare(u"FAT16", Qt::CaseInsensitive) == 0 ||
            version.compare(u"FAT12", Qt::CaseInsensitive) == 0)
            return QStringLiteral("FAT");
        return QString();
    }
    if (t == u"exfat")
        return QStringLiteral("exFAT");
    if (t == u"ntfs" || t == u"ntfs3")
        return QStringLiteral("NTFS");
    return QString();
}

QString fatNameFromClusters(quint64 clusters) {
    return clusters >= 65525 ? QStringLiteral("FAT32") : QStringLiteral("FAT");
}

QString fileSystemNameFrom(const VolumeFacts& f) {
    for (const auto& [type, version] :
         {std::pair{f.probeType, f.probeVersion}, std::pair{f.udevType, f.udevVersion}}) {
        const QString name = fileSystemNameFromProbe(type, version);
        if (!name.isEmpty())
            return name;
    }
    const QString k = f.kernelType.toLower();
    if ((k == u"vfat" || k == u"msdos") && f.clusters)
        return fatNameFromClusters(*f.clusters);
    if (k == u"exfat")
        return QStringLiteral("exFAT");
    if (k == u"ntfs" || k == u"ntfs3")
        return QStringLiteral("NTFS");
    return QString();
}

std::pair<QString, QString> udevFileSystem(const QString& dataDirectory, const QString& deviceNumber) {
    QFile file(dataDirectory + QStringLiteral("/b") + deviceNumber);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString type, version;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith("E:ID_FS_TYPE="))
            type = QString::fromUtf8(line.mid(13)).trimmed();
        else if (line.startsWith("E:ID_FS_VERSION="))
            version = QString::fromUtf8(line.mid(16)).trimmed();
    }
    return {type, version};
}

} // namespace moravel::platform
