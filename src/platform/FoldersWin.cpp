#include "platform/Folders.h"

#include <QDir>
#include <windows.h>

namespace moravel::platform {

FolderListing listFolders(const QString& folder) {
    FolderListing listing;
    const std::wstring pattern =
        QDir::toNativeSeparators(QDir(folder).filePath(QStringLiteral("*"))).toStdWString();
    WIN32_FIND_DATAW entry{};
    // The folder's own listing: the system gives each entry's attributes with its name, and no entry
    // is opened.
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND)
            listing.error = QStringLiteral("error %1").arg(GetLastError());
        return listing;
    }
    do {
        const QString name = QString::fromWCharArray(entry.cFileName);
        if (name.startsWith(u'.') || (entry.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN))
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            listing.unsure.append(name);
        else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            listing.folders.append(name);
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return listing;
}

bool isFolder(const QString& path) {
    const DWORD attributes = GetFileAttributesW(QDir::toNativeSeparators(path).toStdWString().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace moravel::platform
