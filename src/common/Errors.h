#pragma once

#include <QString>
#include <stdexcept>

namespace moravel {

// Raised wherever data read from a card or entered by the user cannot be used: a line index beyond
// the end of a file, a level text that is not a number, a file that cannot be read or decoded.
// The text is meant for a person. A file the operating system would not read or write also carries
// its path and the system's reason ("Permission denied"), for those who print their own text.
class DataError : public std::runtime_error {
public:
    explicit DataError(const QString& text) : std::runtime_error(text.toStdString()) {}
    DataError(const QString& text, const QString& path, const QString& reason)
        : std::runtime_error(text.toStdString()), m_path(path), m_reason(reason) {}
    QString text() const { return QString::fromStdString(what()); }
    const QString& path() const { return m_path; }
    const QString& reason() const { return m_reason; }

private:
    QString m_path;
    QString m_reason;
};

// Runs `work` on what was read from the file at `path`: a DataError about the content that does not
// name a file yet gets the path in front, on a line of its own, so that every message about a damaged
// file says which file it is. An empty path names nothing.
template <class Work> auto inFile(const QString& path, Work&& work) -> decltype(work()) {
    try {
        return work();
    } catch (const DataError& e) {
        if (path.isEmpty() || !e.path().isEmpty() || e.text().contains(path))
            throw;
        throw DataError(path + QStringLiteral("\r\n") + e.text(), path, e.text());
    }
}

} // namespace moravel
