#include "common/Text.h"

#include <QtGlobal>
#include <cstring>

namespace moravel {

QString escapedControls(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0))
            out += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            out += text.mid(i++, 2);
        else if (c.isSurrogate())
            out += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString excerpt(QStringView text) {
    constexpr qsizetype Longest = 40;
    QString out = escapedControls(text.left(Longest));
    if (text.size() > Longest)
        out += QStringLiteral("…");
    return out;
}

QString appName() {
    return QStringLiteral("もらべる");
}

bool isAscii(QStringView text) {
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

bool isAscii(QByteArrayView bytes) {
    const char* p = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    // Eight bytes at a time: a long raw line is tested in a few steps.
    for (; i + 8 <= n; i += 8) {
        quint64 chunk;
        std::memcpy(&chunk, p + i, 8);
        if (chunk & 0x8080808080808080ull)
            return false;
    }
    for (; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return false;
    return true;
}

} // namespace moravel
