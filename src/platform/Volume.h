#pragma once

#include <QString>
#include <QStringList>

namespace moravel::platform {

// Bytes of the volume holding the directory that the current user may still write; -1 when the
// volume cannot be asked (a card that was pulled out).
qint64 freeBytes(const QString& directory);

// The file-system name of the volume whose root is the directory, as a card reader shows it:
// "FAT32", "FAT" (FAT12 and FAT16), "exFAT", "NTFS", otherwise the system's own type name
// ("ext4", "tmpfs", ...). Empty when the directory is not the root of a volume or the volume cannot
// be asked, and for a FAT volume whose device cannot be read to tell FAT32 from FAT16.
QString fileSystemName(const QString& directory);

// The name for a FAT, exFAT or NTFS volume from what a probe of its device reported (TYPE and
// VERSION as libblkid gives them); empty when they say nothing usable.
QString fileSystemNameFromProbe(const QString& type, const QString& version);

// The mount points of the mounted volumes, in the order the system reports them.
QStringList driveList();

} // namespace moravel::platform
