#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace moravel::platform {

// Bytes of the volume holding the directory that the current user may still write; -1 when the
// volume cannot be asked (a card that was pulled out).
qint64 freeBytes(const QString& directory);

// The file-system name of the volume whose root is the directory, as a card reader shows it:
// "FAT32", "FAT" (FAT12 and FAT16), "exFAT", "NTFS", otherwise the system's own type name
// ("ext4", "tmpfs", ...). Empty when the directory is not the root of a volume or the volume cannot
// be asked, and for a FAT volume where nothing tells FAT32 from FAT16. It works for an ordinary user,
// who cannot read the card's device: the FAT type then comes from the udev database or from the
// cluster count of the kernel's FAT driver. Only the volume asked about is asked.
QString fileSystemName(const QString& directory,
                       const QString& udevDataDirectory = QStringLiteral("/run/udev/data"));

// What the file-system name of a FAT-like volume is decided from.
struct VolumeFacts {
    QString kernelType;              // as the kernel names the mount: "vfat", "fuse.fusefat", "ext4", ...
    QString probeType, probeVersion; // TYPE and VERSION of a probe of the device, where it could be read
    QString udevType, udevVersion;   // ID_FS_TYPE and ID_FS_VERSION of the device in the udev database
    std::optional<quint64> clusters; // the data clusters of a mount of the kernel's FAT driver
};
// The name from those facts, in this order: the device probe, the udev database, the cluster count,
// the kernel's type for exFAT and NTFS. Empty when none of them tells.
QString fileSystemNameFrom(const VolumeFacts& facts);

// The name for a FAT, exFAT or NTFS volume from what a probe of its device reported (TYPE and
// VERSION as libblkid and udev give them); empty when they say nothing usable.
QString fileSystemNameFromProbe(const QString& type, const QString& version);

// A FAT volume of this many data clusters: "FAT32" from 65 525 clusters on, "FAT" below.
QString fatNameFromClusters(quint64 clusters);

// ID_FS_TYPE and ID_FS_VERSION of the block device with this device number ("8:17"), as a udev data
// directory holds them ("b8:17"); empty where there is no entry.
std::pair<QString, QString> udevFileSystem(const QString& dataDirectory, const QString& deviceNumber);

// The mount points of the mounted volumes, in the order the system lists them, read from the mount
// table without asking any volume (a stalled network or FUSE volume does not answer).
QStringList driveList();

} // namespace moravel::platform
