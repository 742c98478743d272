#include "platform/TextFile.h"

#include "platform/Files.h"

#include "common/Errors.h"
#include "common/Text.h"

#include "platform/Cp932.h"

#include <QFile>
#include <QStringDecoder>
#include <cstring>

namespace moravel::platform {

namespace {

QStringList splitDecoded(const QString& text) {
    QStringList lines;
    const QChar* s = text.constData();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = s[i].unicode();
        if (c == u'\r' || c == u'\n') {
            lines.append(QString(s + start, i - start));
            if (c == u'\r' && i + 1 < n && s[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(QString(s + start, n - start));
    return lines;
}

QString strictDecode(QStringDecoder::Encoding encoding, const char* data, qsizetype size, const char* name) {
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(data, size));
    // A lone half of a surrogate pair is no character: the decoder lets it through.
    bool lone = false;
    for (qsizetype i = 0; i < text.size() && !lone; ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else
            lone = text[i].isSurrogate();
    }
    if (decoder.hasError() || lone)
        throw DataError(
            QStringLiteral("%1として読めない文字が含まれています。").arg(QString::fromLatin1(name)));
    return text;
}

} // namespace

bool hasByteOrderMark(const QByteArray& bytes) {
    auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const qsizetype n = bytes.size();
    return (n >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) ||
           (n >= 2 && byte(0) == 0xFF && byte(1) == 0xFE) || (n >= 2 && byte(0) == 0xFE && byte(1) == 0xFF);
}

QString decodeCp932Line(QByteArrayView bytes) {
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.data(), bytes.size());
    return cp932::decode(bytes);
}

QStringList decodeLines(const QByteArray& bytes) {
    const char* d = bytes.constData();
    const qsizetype n = bytes.size();
    auto byte = [&](qsizetype i) { return static_cast<unsigned char>(d[i]); };
    if (n >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF)
        return splitDecoded(strictDecode(QStringDecoder::Utf8, d + 3, n - 3, "UTF-8"));
    if (n >= 2 && byte(0) == 0xFF && byte(1) == 0xFE) {
        if ((n - 2) % 2 != 0)
            throw DataError(QStringLiteral("UTF-16として読めない文字が含まれています。"));
        return splitDecoded(strictDecode(QStringDecoder::Utf16LE, d + 2, n - 2, "UTF-16"));
    }
    if (n >= 2 && byte(0) == 0xFE && byte(1) == 0xFF) {
        if ((n - 2) % 2 != 0)
            throw DataError(QStringLiteral("UTF-16として読めない文字が含まれています。"));
        return splitDecoded(strictDecode(QStringDecoder::Utf16BE, d + 2, n - 2, "UTF-16"));
    }
    // Code page 932: neither CR nor LF can be the second byte of a double-byte character, so the
    // bytes are split into lines first and only lines with bytes above 0x7F go through the decoder.
    QStringList lines;
    for (const QByteArrayView line : cp932Lines(bytes))
        lines.append(decodeCp932Line(line));
    return lines;
}

QList<QByteArrayView> cp932Lines(const QByteArray& bytes) {
    QList<QByteArrayView> lines;
    const char* d = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = d[i];
        if (c == '\r' || c == '\n') {
            lines.append(QByteArrayView(d + start, i - start));
            if (c == '\r' && i + 1 < n && d[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(QByteArrayView(d + start, n - start));
    return lines;
}

QByteArray readBytes(const QString& path, qint64 limit) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DataError(QStringLiteral("%1\r\nを読み込めません。").arg(path), path, file.errorString());
    if (file.size() > limit)
        throw DataError(QStringLiteral("%1\r\nを読み込めません。").arg(path), path,
                        QStringLiteral("%1 MB, more than a file of the card can hold (%2 MB)")
                            .arg(QString::number(double(file.size()) / (1024 * 1024), 'f', 1))
                            .arg(limit / (1024 * 1024)));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw DataError(QStringLiteral("%1\r\nを読み込めません。").arg(path), path, file.errorString());
    return bytes;
}

QStringList readLines(const QString& path) {
    const QByteArray bytes = readBytes(path);
    try {
        return decodeLines(bytes);
    } catch (const DataError& e) {
        throw DataError(QStringLiteral("%1\r\nを読み込めません。%2").arg(path, e.text()));
    }
}

namespace {

// The code page 932 bytes of one character (one or two UTF-16 units); empty when the code page has
// no place for it. Half of a surrogate pair is no character: it has no place anywhere.
QByteArray encodeCharacter(QStringView character) {
    if (character.size() == 1 ? character[0].isSurrogate()
                              : !(character[0].isHighSurrogate() && character[1].isLowSurrogate()))
        return {};
    return cp932::encodeCharacter(character);
}

// Calls `each` with every character of the text (a surrogate pair as one).
template <class F> void forEachCharacter(QStringView text, F each) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        if (!each(text.mid(i, len)))
            return;
        i += len;
    }
}

} // namespace

QByteArray encodeCp932(QStringView original) {
    if (isAscii(original))
        return original.toLatin1();
    if (std::optional<QByteArray> bytes = cp932::encodeText(original))
        return *bytes;
    // Some character has no place in the quick conversion: one character at a time, and "?" where
    // the code page has none, as the system's own conversion does.
    QByteArray bytes;
    forEachCharacter(original, [&](QStringView c) {
        const QByteArray part = encodeCharacter(c);
        bytes.append(part.isEmpty() ? QByteArray("?") : part);
        return true;
    });
    return bytes;
}

std::optional<QString> firstUnwritableInCp932(QStringView text) {
    if (isAscii(text))
        return std::nullopt;
    std::optional<QString> found;
    forEachCharacter(text, [&](QStringView c) {
        if (encodeCharacter(c).isEmpty())
            found = c.size() == 1 && c[0].isSurrogate()
                        ? QStringLiteral("U+%1").arg(c[0].unicode(), 4, 16, QLatin1Char('0')).toUpper()
                        : c.toString();
        return !found;
    });
    return found;
}

QString writeFailure(const QString& path) {
    return QStringLiteral("%1\r\nに書き込めませんでした。書き込み禁止、空き容量の不足、またはカードの取り外し"
                          "を確認してください。")
        .arg(path);
}

DataError writeError(const QString& path, const QString& reason) {
    return DataError(writeFailure(path), path, reason);
}

QString systemReason(int errorNumber) {
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

std::vector<bool> keptLines(const QStringList& lines, const QByteArray& original) {
    // Only a file in the code page has bytes to keep; one with a byte order mark is written anew.
    std::vector<bool> kept(static_cast<size_t>(lines.size()), false);
    if (hasByteOrderMark(original))
        return kept;
    const QList<QByteArrayView> before = cp932Lines(original);
    for (qsizetype i = 0; i < lines.size() && i < before.size(); ++i)
        kept[static_cast<size_t>(i)] = decodeCp932Line(before[i]) == lines[i];
    return kept;
}

QByteArray linesKeepingBytes(const QStringList& lines, const QByteArray& original) {
    const std::vector<bool> kept = keptLines(lines, original);
    const QList<QByteArrayView> before =
        hasByteOrderMark(original) ? QList<QByteArrayView>() : cp932Lines(original);
    QByteArray bytes;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (kept[static_cast<size_t>(i)]) {
            bytes.append(before[i]);
        } else {
            if (const auto bad = firstUnwritableInCp932(line))
                throw DataError(QStringLiteral("%1行目に設定ファイルに書けない文字「%2」が含まれています")
                                    .arg(i + 1)
                                    .arg(*bad));
            bytes.append(encodeCp932(line));
        }
        bytes.append("\r\n", 2);
    }
    return bytes;
}

void writeLines(const QString& path, const QStringList& lines, const QByteArray& original) {
    PendingFile file(path, linesKeepingBytes(lines, original));
    file.commit();
}

TextWriter::TextWriter(const QString& path) : m_path(path), m_file(std::make_unique<PendingFile>(path)) {
    // Written beside the target and put in its place by commit(), as every file of the program; a
    // failure carries the system's reason in the user's language.
    m_buffer.reserve(1 << 20);
}

TextWriter::~TextWriter() = default;

void TextWriter::flush() {
    if (m_buffer.isEmpty())
        return;
    if (!m_file)
        throw DataError(writeFailure(m_path));
    m_file->write(m_buffer);
    m_buffer.clear();
}

void TextWriter::writeLine(QStringView line) {
    m_buffer.append(encodeCp932(line));
    m_buffer.append("\r\n", 2);
    if (m_buffer.size() >= (1 << 20))
        flush();
}

void TextWriter::commit() {
    flush();
    if (!m_file)
        throw DataError(writeFailure(m_path));
    std::unique_ptr<PendingFile> file = std::move(m_file);
    file->commit();
}

} // namespace moravel::platform
