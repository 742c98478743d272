#include "platform/FileSystem.h"

#include <QDir>
#include <windows.h>

namespace moravel::platform::sys {

namespace {

std::wstring native(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

// The system's words for an error, in the user's language.
QString reason(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString words = length ? QString::fromWCharArray(text, static_cast<qsizetype>(length)).trimmed()
                           : QStringLiteral("error %1").arg(error);
    LocalFree(text);
    return words;
}

} // namespace

QString replaceDenied(const QString& path) {
    const DWORD attributes = GetFileAttributesW(native(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return reason(GetLastError());
    return attributes & FILE_ATTRIBUTE_READONLY ? reason(ERROR_ACCESS_DENIED) : QString();
}

QString renameReplacing(const QString& from, const QString& to) {
    return MoveFileExW(native(from).c_str(), native(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? QString()
               : reason(GetLastError());
}

QString renameExclusive(const QString& from, const QString& to) {
    // Without MOVEFILE_REPLACE_EXISTING the system refuses a name that is taken, at the moment of
    // the move.
    return MoveFileExW(native(from).c_str(), native(to).c_str(), MOVEFILE_WRITE_THROUGH)
               ? QString()
               : reason(GetLastError());
}

QString existsReason() {
    return reason(ERROR_FILE_EXISTS);
}

namespace {

// Why the path is no directory (missing, or something else); empty when it is one.
QString noDirectory(const QString& path) {
    const DWORD attributes = GetFileAttributesW(native(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return reason(GetLastError());
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? QString() : reason(ERROR_DIRECTORY);
}

} // namespace

QString unreadableDirectory(const QString& path) {
    if (const QString problem = noDirectory(path); !problem.isEmpty())
        return problem;
    WIN32_FIND_DATAW entry{};
    HANDLE find = FindFirstFileW(native(path + QStringLiteral("/*")).c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_NOT_FOUND)
        return reason(GetLastError());
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
    return {};
}

// Whether the folder's permissions let files be made is told by the write itself, with the
// system's reason.
QString unwritableDirectory(const QString& path) {
    return noDirectory(path);
}

QString makeDirectory(const QString& path) {
    return CreateDirectoryW(native(path).c_str(), nullptr) ? QString() : reason(GetLastError());
}

} // namespace moravel::platform::sys
