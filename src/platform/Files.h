#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QFile;

namespace moravel::platform {

// The names of the files directly inside a directory (no subdirectories, no paths), in the order
// the file system gives them. Throws DataError when the directory is missing or cannot be read
// (a card that was pulled out).
QStringList listFiles(const QString& directory);
// The names of what else a directory holds beside its regular files and folders: named pipes,
// devices, sockets, dangling links.
QStringList listSpecialFiles(const QString& directory);

bool fileExists(const QString& path);

// The sample card installed with the application (share/moravel/sample-card beside the program's
// folder, or in the system's data folders; MORAVEL_SAMPLE_CARD names another), or nothing.
QString sampleCardDirectory();
// Whether a directory is that sample card, which is only to be read.
bool isSampleCard(const QString& directory);

// Writes bytes to a file through a temporary file beside it that is renamed over the target only
// when everything was written: the old file stays as it was when anything fails. Throws DataError.
// (Used for the CSV and image files on the computer; the card's settings file goes through
// writeLines, which also forces the new file to the card before it replaces the old one.)
void writeFileAtomically(const QString& path, const QByteArray& bytes);

// From now on a file put in place never replaces one that is there (made meanwhile by another
// process, say): the commit fails with the system's "File exists". For a run told not to overwrite.
void setNoReplace(bool noReplace);
// Whether this process put a new file at the path (it was not there before): what a failed run may
// take away again.
bool createdHere(const QString& path);

// A file written beside its target but not yet in its place: commit() renames it over the target,
// and one that is dropped without commit() is removed, so the target stays as it was.
class PendingFile {
public:
    // Writes the bytes to a new file beside the target. Throws DataError when that fails (and
    // leaves nothing behind).
    PendingFile(const QString& target, const QByteArray& bytes);
    // Starts a new file beside the target, to be written with write() and closed with finish().
    explicit PendingFile(const QString& target);
    void write(QByteArrayView bytes);
    void finish();
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const QString& target() const { return m_target; }
    // Puts the file in the target's place. Throws DataError when the rename fails.
    void commit();
    void discard();

private:
    [[noreturn]] void fail();
    QString m_target;
    QString m_temp;
    QString m_reason;      // the system's reason of a failed close
    int m_stopTicket = -1; // the temporary file is taken away should the program be stopped
    std::unique_ptr<QFile> m_file;
};

// The text with a closing "/" if it has none.
QString withSeparator(const QString& directory);

} // namespace moravel::platform
