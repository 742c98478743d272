#include "platform/Volume.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <blkid/blkid.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace moravel::platform {

namespace {

// TYPE and VERSION of the device's superblock; nothing when the device cannot be read (an ordinary
// user and a card reader's device).
void probeDevice(const QByteArray& device, VolumeFacts& facts) {
    if (::access(device.constData(), R_OK) != 0)
        return;
    blkid_probe probe = blkid_new_probe_from_filename(device.constData());
    if (!probe)
        return;
    blkid_probe_enable_superblocks(probe, 1);
    blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_TYPE | BLKID_SUBLKS_VERSION);
    if (blkid_do_safeprobe(probe) == 0) {
        const char* value = nullptr;
        size_t len = 0;
        if (blkid_probe_lookup_value(probe, "TYPE", &value, &len) == 0 && value)
            facts.probeType = QString::fromUtf8(value);
        if (blkid_probe_lookup_value(probe, "VERSION", &value, &len) == 0 && value)
            facts.probeVersion = QString::fromUtf8(value);
    }
    blkid_free_probe(probe);
}

bool fatLike(const QString& kernelType) {
    const QString k = kernelType.toLower();
    return k == u"vfat" || k == u"msdos" || k == u"fat" || k == u"exfat" || k == u"ntfs" || k == u"ntfs3" ||
           k == u"fuse" || k == u"fuseblk" || k.startsWith(u"fuse.");
}

} // namespace

QString fileSystemName(const QString& directory, const QString& udevDataDirectory) {
    if (directory.isEmpty())
        return QString();
    const QFileInfo info(directory);
    if (!info.isDir())
        return QString();
    QStorageInfo storage(directory);
    if (!storage.isValid() || !storage.isReady())
        return QString();
    if (QDir(storage.rootPath()).canonicalPath() != info.canonicalFilePath())
        return QString();
    VolumeFacts facts;
    facts.kernelType = QString::fromUtf8(storage.fileSystemType());
    if (!fatLike(facts.kernelType))
        return facts.kernelType;
    const QByteArray device = storage.device();
    probeDevice(device, facts);
    struct stat st {};
    if (::stat(device.constData(), &st) == 0 && S_ISBLK(st.st_mode)) {
        const auto [type, version] = udevFileSystem(
            udevDataDirectory, QStringLiteral("%1:%2").arg(major(st.st_rdev)).arg(minor(st.st_rdev)));
        facts.udevType = type;
        facts.udevVersion = version;
    }
    // The kernel's FAT driver reports the volume's data clusters as its blocks.
    const QString k = facts.kernelType.toLower();
    struct statfs fs {};
    if ((k == u"vfat" || k == u"msdos") && ::statfs(QFile::encodeName(directory).constData(), &fs) == 0)
        facts.clusters = static_cast<quint64>(fs.f_blocks);
    return fileSystemNameFrom(facts);
}

QStringList driveList() {
    // The mount table names every mount point; nothing here asks a volume for its state.
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    QStringList roots;
    if (!mounts.open(QIODevice::ReadOnly))
        return roots;
    for (const QByteArray& line : mounts.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 2)
            continue;
        // The table writes blanks and other special characters of a path as octal escapes.
        QByteArray path = fields[1];
        for (qsizetype i = path.indexOf('\\'); i >= 0 && i + 3 < path.size(); i = path.indexOf('\\', i + 1))
            path.replace(i, 4, QByteArray(1, static_cast<char>(path.mid(i + 1, 3).toInt(nullptr, 8))));
        roots.append(QFile::decodeName(path));
    }
    return roots;
}

} // namespace moravel::platform
