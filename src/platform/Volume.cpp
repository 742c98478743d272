#include "platform/Volume.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <blkid/blkid.h>

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

namespace {

bool probeDevice(const QByteArray& device, QString& type, QString& version) {
    blkid_probe probe = blkid_new_probe_from_filename(device.constData());
    if (!probe)
        return false;
    blkid_probe_enable_superblocks(probe, 1);
    blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_TYPE | BLKID_SUBLKS_VERSION);
    bool found = false;
    if (blkid_do_safeprobe(probe) == 0) {
        const char* value = nullptr;
        size_t len = 0;
        if (blkid_probe_lookup_value(probe, "TYPE", &value, &len) == 0 && value) {
            type = QString::fromUtf8(value);
            found = true;
        }
        if (blkid_probe_lookup_value(probe, "VERSION", &value, &len) == 0 && value)
            version = QString::fromUtf8(value);
    }
    blkid_free_probe(probe);
    return found;
}

} // namespace

QString fileSystemName(const QString& directory) {
    if (directory.isEmpty())
        return QString();
    const QFileInfo info(directory);
    if (!info.isDir())
        return QString();
    QStorageInfo storage(directory);
    if (!storage.isValid() || !storage.isReady())
        return QString();
    const QString canonical = info.canonicalFilePath();
    if (QDir(storage.rootPath()).canonicalPath() != canonical)
        return QString();
    const QString kernelType = QString::fromUtf8(storage.fileSystemType());
    const QString k = kernelType.toLower();
    const bool probeFirst = k == u"vfat" || k == u"msdos" || k == u"fat" || k == u"exfat" || k == u"ntfs" ||
                            k == u"ntfs3" || k == u"fuse" || k == u"fuseblk" || k.startsWith(u"fuse.");
    if (!probeFirst)
        return kernelType;
    QString type, version;
    if (probeDevice(storage.device(), type, version)) {
        const QString name = fileSystemNameFromProbe(type, version);
        if (!name.isEmpty())
            return name;
    }
    // The device could not be read: name what the kernel type alone tells for certain.
    if (k == u"exfat")
        return QStringLiteral("exFAT");
    if (k == u"ntfs" || k == u"ntfs3")
        return QStringLiteral("NTFS");
    return QString();
}

QStringList driveList() {
    QStringList roots;
    for (const QStorageInfo& s : QStorageInfo::mountedVolumes())
        if (s.isValid())
            roots.append(s.rootPath());
    return roots;
}

} // namespace moravel::platform
