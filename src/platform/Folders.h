#pragma once

#include <QString>
#include <QStringList>

namespace moravel::platform {

// The subfolders of a folder as its directory names them, for the folder picker. Only the folder
// itself is read: no entry is asked for its state, so a stalled network or FUSE volume mounted
// beside the card does not hold the listing. Entries the directory does not mark as folders or files
// (symbolic links, and everything on file systems that keep no types) are left in `unsure`, to be
// asked one by one with isFolder(). Hidden entries (".name") are left out.
struct FolderListing {
    QStringList folders;
    QStringList unsure;
    QString error; // the system's reason when the folder cannot be read
};
FolderListing listFolders(const QString& folder);

// Whether the path names a folder (following links). Asks the volume, and may wait on a stalled one.
bool isFolder(const QString& path);

} // namespace moravel::platform
