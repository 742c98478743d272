#pragma once

#include <QString>

// The system's part of putting a file in its place and of directories: one implementation for POSIX
// systems, one for Windows. Each answers with an empty text when it succeeded, otherwise with the
// system's reason in the user's language.
namespace moravel::platform::sys {

// Whether an existing file may be replaced: it could be written in place.
QString replaceDenied(const QString& path);
// Renames a file over the target, which may exist.
QString renameReplacing(const QString& from, const QString& to);
// Renames a file to a name nothing has: of two processes that try one name, exactly one gets it, the
// other hears existsReason().
QString renameExclusive(const QString& from, const QString& to);
// The system's words for a name that is taken ("File exists").
QString existsReason();

// Why a directory cannot be read (missing, not a directory, not to be opened); empty when it can.
QString unreadableDirectory(const QString& path);
// Why files cannot be made in a directory; empty when they can.
QString unwritableDirectory(const QString& path);
// Makes one directory; empty when it was made.
QString makeDirectory(const QString& path);

} // namespace moravel::platform::sys
