#include "platform/Files.h"

#include "common/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Stop.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QStandardPaths>
#include <cerrno>

namespace moravel::platform {

QStringList listFiles(const QString& directory) {
    const QFileInfo info(directory);
    if (directory.isEmpty() || !info.exists() || !info.isDir() || !info.isReadable())
        throw DataError(QStringLiteral("%1\r\nを読み込めません。").arg(directory));
    QStringList names;
    // Regular files only: a named pipe or a device under a day file's name is not one, and reading it
    // would wait for ever.
    QDirIterator it(directory, QDir::Files | QDir::Hidden);
    while (it.hasNext()) {
        it.next();
        names.append(it.fileName());
    }
    return names;
}

QStringList listSpecialFiles(const QString& directory) {
    QStringList names;
    QDirIterator it(directory, QDir::System | QDir::Hidden);
    while (it.hasNext()) {
        it.next();
        if (!it.fileInfo().isFile() && !it.fileInfo().isDir())
            names.append(it.fileName());
    }
    return names;
}

PendingFile::PendingFile(const QString& target) : m_target(target), m_file(std::make_unique<QFile>()) {
    // A symbolic link is written through, as cp does: the link stays and the file it names changes.
    const QFileInfo link(target);
    if (link.isSymLink())
        m_target = link.symLinkTarget();
    // A new file beside the target, written unbuffered so that every failure is seen.
    const QFileInfo info(m_target);
    const QString dir = info.absolutePath();
    for (int attempt = 0; attempt < 100 && !m_file->isOpen(); ++attempt) {
        m_file->setFileName(QStringLiteral("%1/.%2.%3.tmp")
                                .arg(dir, info.fileName())
                                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        // Marked before it exists, so that no moment is left where a stopped run would leave it.
        m_stopTicket = markForStop(m_file->fileName(), false);
        const bool opened = m_file->open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered);
        if (!opened) {
            unmarkForStop(m_stopTicket);
            m_stopTicket = -1;
            if (m_file->error() != QFileDevice::OpenError)
                break;
        }
    }
    if (!m_file->isOpen())
        throw writeError(target, m_file->errorString());
    m_temp = m_file->fileName();
}

PendingFile::PendingFile(const QString& target, const QByteArray& bytes) : PendingFile(target) {
    write(bytes);
    finish();
}

void PendingFile::fail() {
    const QString reason =
        m_file && m_file->error() != QFileDevice::NoError ? m_file->errorString() : m_reason;
    discard();
    throw writeError(m_target, reason);
}

void PendingFile::write(QByteArrayView bytes) {
    if (!m_file || !m_file->isOpen())
        fail();
    // A short write (a disk that fills up) goes on with the rest, whose write then tells why.
    while (!bytes.isEmpty()) {
        errno = 0;
        const qint64 written = m_file->write(bytes.data(), bytes.size());
        if (written <= 0) {
            if (m_file->error() == QFileDevice::NoError && errno != 0)
                m_reason = systemReason(errno);
            else
                m_reason = m_file->errorString();
            m_file.reset();
            fail();
        }
        bytes = bytes.sliced(written);
    }
}

void PendingFile::finish() {
    if (!m_file)
        fail();
    m_file->close();
    const bool closed = m_file->error() == QFileDevice::NoError;
    m_reason = m_file->errorString();
    m_file.reset();
    if (!closed)
        fail();
}

PendingFile::~PendingFile() {
    discard();
}

void PendingFile::discard() {
    m_file.reset();
    if (!m_temp.isEmpty())
        QFile::remove(m_temp);
    m_temp.clear();
    unmarkForStop(m_stopTicket);
    m_stopTicket = -1;
}

namespace {

bool g_noReplace = false;
QSet<QString> g_created;

} // namespace

void setNoReplace(bool noReplace) {
    g_noReplace = noReplace;
}

bool createdHere(const QString& path) {
    return g_created.contains(QFileInfo(path).absoluteFilePath());
}

void PendingFile::commit() {
    if (m_file)
        finish();
    // An existing file is replaced only where it could be written in place, and keeps its
    // permissions.
    const QFileInfo old(m_target);
    const bool replacing = old.exists();
    if (replacing) {
        const QString denied = sys::replaceDenied(m_target);
        if (!denied.isEmpty()) {
            discard();
            throw writeError(m_target, denied);
        }
    }
    const QFileDevice::Permissions permissions = old.permissions();
    const bool exclusive = g_noReplace || !replacing;
    // A new file is marked before it takes its name: a run stopped from then on takes it away too.
    const int targetTicket = replacing ? -1 : markForStop(m_target, false);
    QString failure;
    if (m_temp.isEmpty())
        failure = m_reason; // the file beside the target could not be made
    else if (g_noReplace && replacing)
        failure = sys::existsReason();
    else
        failure = exclusive ? sys::renameExclusive(m_temp, m_target) : sys::renameReplacing(m_temp, m_target);
    if (!failure.isEmpty() || m_temp.isEmpty()) {
        unmarkForStop(targetTicket);
        discard();
        throw writeError(m_target, failure);
    }
    if (!replacing)
        g_created.insert(QFileInfo(m_target).absoluteFilePath());
    m_temp.clear();
    unmarkForStop(m_stopTicket);
    m_stopTicket = -1;
    if (replacing)
        QFile::setPermissions(m_target, permissions);
}

void writeFileAtomically(const QString& path, const QByteArray& bytes) {
    // The target is the old file or the whole new one, never a part.
    PendingFile(path, bytes).commit();
}

bool fileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

QString withSeparator(const QString& directory) {
    if (directory.endsWith(u'/') || directory.endsWith(QDir::separator()))
        return directory;
    return directory + u'/';
}

QString sampleCardDirectory() {
    QStringList candidates;
    const QString named = qEnvironmentVariable("MORAVEL_SAMPLE_CARD");
    if (!named.isEmpty())
        candidates.append(named);
    if (QCoreApplication::instance())
        candidates.append(QCoreApplication::applicationDirPath() +
                          QStringLiteral("/../share/moravel/sample-card"));
    for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        candidates.append(data + QStringLiteral("/moravel/sample-card"));
    for (const QString& c : candidates)
        if (QFileInfo(c + QStringLiteral("/MORVEL.TXT")).isFile())
            return QDir::cleanPath(QFileInfo(c).absoluteFilePath());
    return QString();
}

bool isSampleCard(const QString& directory) {
    const QString sample = sampleCardDirectory();
    if (sample.isEmpty() || directory.isEmpty())
        return false;
    const QString a = QFileInfo(sample).canonicalFilePath();
    const QString b = QFileInfo(directory).canonicalFilePath();
    return !a.isEmpty() && a == b;
}

} // namespace moravel::platform
