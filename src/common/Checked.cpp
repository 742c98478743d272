#include "common/Checked.h"

#include "common/Errors.h"
#include "common/Text.h"

#include <QLocale>
#include <cmath>

namespace moravel {

namespace {
// Levels beyond this magnitude cannot come from a meter and would overflow a whole number.
constexpr double LevelLimit = 1e15;
} // namespace

const QString& lineAt(const QStringList& lines, qsizetype i) {
    if (i < 0 || i >= lines.size())
        throw DataError(
            QStringLiteral("ファイルに%1行目がありません（%2行）。").arg(i + 1).arg(lines.size()));
    return lines.at(i);
}

const QString& entryAt(const QStringList& list, qsizetype i, const char* what) {
    if (i < 0 || i >= list.size())
        throw DataError(QStringLiteral("%1の%2番目の値がありません（%3個）。")
                            .arg(QString::fromUtf8(what))
                            .arg(i)
                            .arg(list.size()));
    return list.at(i);
}

namespace {

// The form the files write, [+-]digits[.digits]: the digits as one whole number divided by a power
// of ten. Both are exact doubles and the division rounds once, so the result is the double nearest
// to the decimal, as the general reader gives it.
bool fastDecimal(QStringView t, double& value) {
    static const double powers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    qsizetype i = 0;
    const qsizetype n = t.size();
    bool negative = false;
    if (i < n && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    qint64 mantissa = 0;
    int digits = 0;
    int decimals = 0;
    bool point = false;
    for (; i < n; ++i) {
        const char16_t c = t[i].unicode();
        if (c >= '0' && c <= '9') {
            if (++digits > 15)
                return false;
            mantissa = mantissa * 10 + (c - '0');
            if (point)
                ++decimals;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (digits == 0)
        return false;
    double v = static_cast<double>(mantissa) / powers[decimals];
    value = negative ? -v : v;
    return true;
}

} // namespace

bool tryLevelValue(QStringView text, double& value) {
    const QStringView t = text.trimmed();
    if (t.isEmpty())
        return false;
    double fast = 0;
    if (fastDecimal(t, fast)) {
        if (std::fabs(fast) >= LevelLimit)
            return false;
        value = fast;
        return true;
    }
    // Only what a number can hold: the C locale would also read "inf" and "nan".
    for (QChar c : t) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || u == '.' || u == '-' || u == '+' || u == 'e' || u == 'E'))
            return false;
    }
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v) || std::fabs(v) >= LevelLimit)
        return false;
    value = v;
    return true;
}

double levelValue(QStringView text) {
    double v = 0;
    if (!tryLevelValue(text, v))
        throw DataError(QStringLiteral("「%1」は数値ではありません。").arg(excerpt(text)));
    return v;
}

qint64 levelTruncated(QStringView text) {
    return static_cast<qint64>(std::trunc(levelValue(text)));
}

qint64 levelFloored(QStringView text) {
    return static_cast<qint64>(std::floor(levelValue(text)));
}

bool tryToInt(QStringView text, int& value) {
    if (text.isEmpty())
        return false;
    qsizetype i = 0;
    bool negative = false;
    if (text[0] == u'+' || text[0] == u'-') {
        negative = text[0] == u'-';
        i = 1;
    }
    if (i >= text.size())
        return false;
    qint64 v = 0;
    for (; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < '0' || u > '9')
            return false;
        v = v * 10 + (u - '0');
        if (v > 2147483648LL)
            return false;
    }
    if (negative)
        v = -v;
    if (v > 2147483647LL || v < -2147483648LL)
        return false;
    value = static_cast<int>(v);
    return true;
}

int toInt(QStringView text) {
    int v = 0;
    if (!tryToInt(text, v))
        throw DataError(QStringLiteral("「%1」は整数ではありません。").arg(excerpt(text)));
    return v;
}

} // namespace moravel
