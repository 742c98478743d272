#include "platform/Folders.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace moravel::platform {

FolderListing listFolders(const QString& folder) {
    FolderListing listing;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir) {
        listing.error = QString::fromLocal8Bit(std::strerror(errno));
        return listing;
    }
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry) {
            if (errno != 0)
                listing.error = QString::fromLocal8Bit(std::strerror(errno));
            break;
        }
        if (entry->d_name[0] == '.')
            continue;
        const QString name = QFile::decodeName(entry->d_name);
        if (entry->d_type == DT_DIR)
            listing.folders.append(name);
        else if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN)
            listing.unsure.append(name);
    }
    ::closedir(dir);
    return listing;
}

bool isFolder(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace moravel::platform
