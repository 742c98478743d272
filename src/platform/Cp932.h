#pragma once

#include "common/Errors.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Code page 932 as the system converts it, for TextFile.cpp: ICU and glibc's iconv on Linux,
// MultiByteToWideChar and WideCharToMultiByte on Windows.
namespace moravel::platform::cp932 {

// The text of bytes in the code page (a line, some byte above 0x7F). A byte sequence of no character
// gives a substitute, never an error: a damaged file is still shown.
QString decode(QByteArrayView bytes);
// The bytes of a text, or nothing when some character has no place in the quick conversion.
std::optional<QByteArray> encodeText(QStringView text);
// The bytes of one character (a surrogate pair as one); empty when the code page has no place for it.
QByteArray encodeCharacter(QStringView character);

} // namespace moravel::platform::cp932
