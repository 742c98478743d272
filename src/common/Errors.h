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

} // namespace moravel
