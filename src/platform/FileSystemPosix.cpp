#include "platform/FileSystem.h"

#include "platform/TextFile.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace moravel::platform::sys {

namespace {

// Renames without replacing. Where the file system cannot rename that way, a hard link does the
// same; where it has no links either (FAT), the check before the rename is all there is.
int renameNoReplace(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return -1;
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return 0;
    }
    if (errno == EEXIST)
        return -1;
    if (::access(to.constData(), F_OK) == 0) {
        errno = EEXIST;
        return -1;
    }
    return std::rename(from.constData(), to.constData());
}

} // namespace

QString replaceDenied(const QString& path) {
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0 ? QString() : systemReason(errno);
}

QString renameReplacing(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0
               ? QString()
               : systemReason(errno);
}

QString renameExclusive(const QString& from, const QString& to) {
    return renameNoReplace(QFile::encodeName(from), QFile::encodeName(to)) == 0 ? QString()
                                                                                : systemReason(errno);
}

QString existsReason() {
    return systemReason(EEXIST);
}

namespace {

// Why the path is no directory (missing, or something else); empty when it is one.
QString noDirectory(const QByteArray& name) {
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return systemReason(errno);
    return S_ISDIR(st.st_mode) ? QString() : systemReason(ENOTDIR);
}

} // namespace

QString unreadableDirectory(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (const QString problem = noDirectory(name); !problem.isEmpty())
        return problem;
    DIR* dir = ::opendir(name.constData());
    if (!dir)
        return systemReason(errno);
    ::closedir(dir);
    return {};
}

QString unwritableDirectory(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (const QString problem = noDirectory(name); !problem.isEmpty())
        return problem;
    return ::access(name.constData(), W_OK | X_OK) == 0 ? QString() : systemReason(errno);
}

QString makeDirectory(const QString& path) {
    return ::mkdir(QFile::encodeName(path).constData(), 0777) == 0 ? QString() : systemReason(errno);
}

} // namespace moravel::platform::sys
