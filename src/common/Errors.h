#pragma once

#include <QString>
#include <stdexcept>

namespace moravel {

// Raised wherever data read from a card or entered by the user cannot be used: a line index beyond
// the end of a file, a level text that is not a number, a file that cannot be read or decoded.
// The text is meant for a person.
class DataError : public std::runtime_error {
public:
    explicit DataError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

} // namespace moravel
