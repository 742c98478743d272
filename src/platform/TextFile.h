#pragma once

#include "common/Errors.h"

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace moravel::platform {

class PendingFile;

// Text as the device and the Japanese systems it is used with write it: a UTF-8 or UTF-16
// byte-order mark decides the encoding, otherwise code page 932; CR LF, a lone CR and a lone LF all
// end a line, and a break at the very end does not start another line.

// Splits decoded bytes into lines. Throws DataError when the bytes claim UTF-8 or UTF-16 by their
// byte-order mark but do not hold it.
QStringList decodeLines(const QByteArray& bytes);

// Whether the bytes start with a UTF-8 or UTF-16 byte-order mark.
bool hasByteOrderMark(const QByteArray& bytes);

// One line of code page 932 bytes (no CR or LF in it) as text, the way decodeLines decodes it.
QString decodeCp932Line(QByteArrayView bytes);

// No file of a card comes near 16 MB (a day of raw levels is about half a megabyte): a larger one is
// refused before it is read, so that memory stays bounded.
constexpr qint64 MaxCardFileBytes = 16 * 1024 * 1024;

// Reads a whole file's bytes. Throws DataError when it cannot be opened or read, or is larger than
// `limit`, with its size.
QByteArray readBytes(const QString& path, qint64 limit = MaxCardFileBytes);

// Reads a whole file into lines. Throws DataError when it cannot be opened, read or decoded.
QStringList readLines(const QString& path);

// Code page 932 bytes of a text, as the system's own converters write it; characters the code page
// has no place for become "?".
QByteArray encodeCp932(QStringView text);
// The first character of a text that code page 932 has no place for; nothing when every one has.
std::optional<QString> firstUnwritableInCp932(QStringView text);

// Writes lines in code page 932, no byte-order mark, CR LF after every line including the last.
// The file is replaced only when everything was written: the text goes to a temporary file beside
// the target, which is renamed over it at the end. Throws DataError on any failure, and the old
// file, if any, is left as it was. A line that reads as the line of the same number of `original`
// (the bytes of the file being replaced, in the code page) is written with those bytes: what the
// person did not change stays byte for byte, including characters the code page has two codes for.
// A line with a character the code page has no place for is refused (DataError naming the line):
// nothing is ever written as "?".
void writeLines(const QString& path, const QStringList& lines, const QByteArray& original = QByteArray());
// The bytes writeLines writes.
QByteArray linesKeepingBytes(const QStringList& lines, const QByteArray& original);
// Which of the lines writeLines writes with the bytes of `original`.
std::vector<bool> keptLines(const QStringList& lines, const QByteArray& original);
// The lines of code page 932 bytes, as decodeLines splits them (CR LF, CR or LF end a line).
QList<QByteArrayView> cp932Lines(const QByteArray& bytes);

// The message of a failed write, naming the file.
QString writeFailure(const QString& path);
// The error of a file that could not be written: writeFailure's text, the path and the system's
// reason.
DataError writeError(const QString& path, const QString& reason);
// The system's text of an error number ("No such file or directory"), in the user's language where
// the system has it.
QString systemReason(int errorNumber);

// The same, a line at a time, for output too long to hold at once.
class TextWriter {
public:
    explicit TextWriter(const QString& path);
    ~TextWriter(); // without commit(), the target is left untouched
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    void writeLine(QStringView line);
    void commit();

private:
    void flush();

    QString m_path;
    std::unique_ptr<PendingFile> m_file;
    QByteArray m_buffer;
};

} // namespace moravel::platform
