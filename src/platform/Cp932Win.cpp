#include "platform/Cp932.h"

#include <windows.h>

namespace moravel::platform::cp932 {

namespace {

const wchar_t* wide(QStringView text) {
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

} // namespace

namespace {

// The text of bytes that hold only characters, or nothing.
std::optional<QString> strictDecode(const char* bytes, int size) {
    const int length = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    QString text(length, Qt::Uninitialized);
    MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes, size, reinterpret_cast<wchar_t*>(text.data()),
                        length);
    return text;
}

} // namespace

QString decode(QByteArrayView bytes) {
    const int size = static_cast<int>(bytes.size());
    if (const std::optional<QString> text = strictDecode(bytes.data(), size))
        return *text;
    // A byte sequence of no character becomes the control character DEL, as Linux's converter gives
    // it (the settings check refuses control characters, and messages show it escaped), never the
    // code page's default character ・, which would be written back as a real one. The bytes are read
    // a character at a time: one byte, or a lead byte and the next.
    QString text;
    for (int i = 0; i < size;) {
        const int width = IsDBCSLeadByteEx(932, static_cast<BYTE>(bytes[i])) && i + 1 < size ? 2 : 1;
        if (const std::optional<QString> one = strictDecode(bytes.data() + i, width)) {
            text += *one;
            i += width;
        } else {
            text += QChar(0x7F);
            // A lead byte whose follower is no trail byte stands alone; the follower is read anew.
            i += 1;
        }
    }
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
    if (const std::optional<QByteArray> bytes = encodeText(character))
        return *bytes;
    // The forms of JIS that Linux input methods write and Windows' table has under other code points
    // (〜 U+301C where Windows has ～ U+FF5E, and so on): written as the code page's character, as on
    // Linux, so that a file reads and writes the same on both systems.
    static const struct {
        char16_t unit;
        const char* bytes;
    } jis[] = {{0x301C, "\x81\x60"}, {0x2212, "\x81\x7C"}, {0x2016, "\x81\x61"}, {0x00A2, "\x81\x91"},
               {0x00A3, "\x81\x92"}, {0x00AC, "\x81\xCA"}, {0x2014, "\x81\x5C"}};
    if (character.size() == 1)
        for (const auto& j : jis)
            if (character[0].unicode() == j.unit)
                return QByteArray(j.bytes, 2);
    return QByteArray();
}

} // namespace moravel::platform::cp932
