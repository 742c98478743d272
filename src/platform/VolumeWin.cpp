#include "platform/Volume.h"

#include <QDir>
#include <QFileInfo>
#include <windows.h>

namespace moravel::platform {

namespace {

std::wstring native(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

// No "insert a disk" box from the system for an empty card reader: the call fails at once.
struct QuietErrors {
    UINT before = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    ~QuietErrors() { SetErrorMode(before); }
};

} // namespace

QString fileSystemName(const QString& directory, const QString&) {
    if (directory.isEmpty())
        return QString();
    QuietErrors quiet;
    const std::wstring path = native(QDir(directory).absolutePath() + u'/');
    wchar_t root[MAX_PATH + 1] = {};
    if (!GetVolumePathNameW(path.c_str(), root, MAX_PATH))
        return QString();
    // Only the root of a volume (a drive letter, a mounted folder, a share) has a file system name.
    if (QDir(QString::fromWCharArray(root)).absolutePath() != QDir(directory).absolutePath())
        return QString();
    wchar_t name[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, name, MAX_PATH))
        return QString();
    return QString::fromWCharArray(name);
}

QStringList driveList() {
    // The drive letters, without asking any drive (an empty card reader answers nothing).
    QStringList roots;
    wchar_t drives[512] = {};
    const DWORD length = GetLogicalDriveStringsW(511, drives);
    for (const wchar_t* d = drives; d < drives + length && *d; d += wcslen(d) + 1)
        roots.append(QDir::fromNativeSeparators(QString::fromWCharArray(d)));
    return roots;
}

} // namespace moravel::platform
