#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>

namespace moravel {

// The UTF-16 unit of a character of text, or the unit a byte of a plain ASCII line stands for, so that
// one template reads both.
inline char16_t unit(QChar c) {
    return c.unicode();
}
inline char16_t unit(char c) {
    return static_cast<unsigned char>(c);
}

// The application's name, in titles, captions and file names: "もらべる".
QString appName();

// A text of a file as a message quotes it: at most 40 characters (then "…"), each control character
// written as an escape ("\x1b"), so that a damaged file can neither flood nor steer a terminal.
QString excerpt(QStringView text);
// The text with its control characters as escapes (\x1b) and lone surrogates as \ud800: a text of a
// damaged file shown on one line of a terminal.
QString escapedControls(QStringView text);

// Whether every character is below 0x80.
bool isAscii(QStringView text);
bool isAscii(QByteArrayView bytes);

} // namespace moravel
