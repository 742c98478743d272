#include "platform/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <cstdint>
#include <iconv.h>

namespace moravel::platform::cp932 {

namespace {

// ICU's code page 932 follows IBM in the control codes: it reads the byte 0x1A as U+001C, 0x1C as
// U+007F and 0x7F as U+001A, and writes them back the same way. The system's code page 932 keeps
// every byte below 0x80 as the character of the same number; these two undo ICU's exchange.
void fromIcuControls(QString& text) {
    for (QChar& c : text) {
        switch (c.unicode()) {
        case 0x1C:
            c = QChar(0x1A);
            break;
        case 0x7F:
            c = QChar(0x1C);
            break;
        case 0x1A:
            c = QChar(0x7F);
            break;
        default:
            break;
        }
    }
}

QString toIcuControls(QStringView text) {
    QString t = text.toString();
    for (QChar& c : t) {
        switch (c.unicode()) {
        case 0x1A:
            c = QChar(0x1C);
            break;
        case 0x1C:
            c = QChar(0x7F);
            break;
        case 0x7F:
            c = QChar(0x1A);
            break;
        default:
            break;
        }
    }
    return t;
}

// The system's own code page 932 converter (glibc's iconv "CP932"), one per thread.
class SystemCp932 {
public:
    SystemCp932() : m_cd(iconv_open("CP932", "UTF-8")) {}
    ~SystemCp932() {
        if (valid())
            iconv_close(m_cd);
    }
    SystemCp932(const SystemCp932&) = delete;
    SystemCp932& operator=(const SystemCp932&) = delete;

    // The bytes of one character; empty when the code page has no place for it.
    QByteArray encode(QStringView character) {
        if (!valid())
            return {};
        QByteArray in = character.toUtf8();
        char out[16];
        char* inp = in.data();
        size_t inLeft = static_cast<size_t>(in.size());
        char* outp = out;
        size_t outLeft = sizeof out;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(m_cd, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
            return {};
        return QByteArray(out, static_cast<qsizetype>(sizeof out - outLeft));
    }

private:
    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(static_cast<intptr_t>(-1)); }
    iconv_t m_cd;
};

} // namespace

QString decode(QByteArrayView bytes) {
    QStringDecoder decoder("windows-31j", QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        throw DataError(QStringLiteral("Shift_JIS（コードページ932）の変換が利用できません。"));
    QString line = decoder.decode(bytes);
    fromIcuControls(line);
    return line;
}

std::optional<QByteArray> encodeText(QStringView text) {
    QStringEncoder encoder("windows-31j", QStringEncoder::Flag::Stateless);
    QByteArray bytes = encoder.encode(QStringView(toIcuControls(text)));
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

// ICU's table first, then the system's converter, which also holds the forms Linux input methods
// write for ordinary Japanese text (〜 U+301C, − U+2212, ‖ U+2016, ¢ £ ¬, — U+2014).
QByteArray encodeCharacter(QStringView character) {
    QStringEncoder one("windows-31j", QStringEncoder::Flag::Stateless);
    const QByteArray bytes = one.encode(QStringView(toIcuControls(character)));
    if (!one.hasError() && !bytes.isEmpty())
        return bytes;
    thread_local SystemCp932 system;
    return system.encode(character);
}

} // namespace moravel::platform::cp932
