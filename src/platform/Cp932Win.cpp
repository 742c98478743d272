#include "platform/Cp932.h"

#include <windows.h>

namespace moravel::platform::cp932 {

namespace {

const wchar_t* wide(QStringView text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

} // namespace

QString decode(QByteArrayView bytes) {
    // Without MB_ERR_INVALID_CHARS: a byte of no character comes out as the code page's default
    // character, and a damaged file is still shown.
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(932, 0, bytes.data(), size, nullptr, 0);
    QString text(length, Qt::Uninitialized);
    MultiByteToWideChar(932, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(text.data()), length);
    return text;
}

std::optional<QByteArray> encodeText(QStringView text) {
    // No best fit: a character the code page cannot hold is not quietly written as a look-alike,
    // and the default character used tells that one had no place.
    const int size = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int length =
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide(text), size, nullptr, 0, nullptr, &usedDefault);
    if (usedDefault || (length == 0 && size > 0))
        return std::nullopt;
    QByteArray bytes(length, Qt::Uninitialized);
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide(text), size, bytes.data(), length, nullptr,
                        &usedDefault);
    if (usedDefault)
        return std::nullopt;
    return bytes;
}

QByteArray encodeCharacter(QStringView character) {
    const std::optional<QByteArray> bytes = encodeText(character);
    return bytes ? *bytes : QByteArray();
}

} // namespace moravel::platform::cp932
