#include "common/DateText.h"

#include "common/Checked.h"
#include "common/Errors.h"
#include "common/Text.h"

#include <QDate>

namespace moravel {

QString dateNumToString(const QString& stem) {
    return stem.left(4) + QStringLiteral("年") + stem.mid(4, 2) + QStringLiteral("月") + stem.mid(6, 2) +
           QStringLiteral("日");
}

namespace {

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[m - 1];
}

// Reads minDigits..maxDigits decimal digits at p; advances p.
template <class View> bool readNumber(View t, qsizetype& p, int minDigits, int maxDigits, int& value) {
    int digits = 0;
    int v = 0;
    while (p < t.size() && digits < maxDigits && unit(t[p]) >= '0' && unit(t[p]) <= '9') {
        v = v * 10 + (unit(t[p]) - '0');
        ++p;
        ++digits;
    }
    if (digits < minDigits)
        return false;
    value = v;
    return true;
}

template <class View> bool expect(View t, qsizetype& p, char16_t c) {
    if (p < t.size() && unit(t[p]) == c) {
        ++p;
        return true;
    }
    return false;
}

template <class View> bool readDate(View t, qsizetype& p, Stamp& s) {
    return readNumber(t, p, 4, 4, s.year) && expect(t, p, u'/') && readNumber(t, p, 1, 2, s.month) &&
           expect(t, p, u'/') && readNumber(t, p, 1, 2, s.day) && s.month >= 1 && s.month <= 12 &&
           s.day >= 1 && s.day <= daysInMonth(s.year, s.month);
}

template <class View> bool readTime(View t, qsizetype& p, Stamp& s) {
    if (!(readNumber(t, p, 1, 2, s.hour) && expect(t, p, u':') && readNumber(t, p, 1, 2, s.minute)))
        return false;
    s.second = 0;
    if (expect(t, p, u':') && !readNumber(t, p, 1, 2, s.second))
        return false;
    return s.hour < 24 && s.minute < 60 && s.second < 60;
}

template <class View> bool readDateAndTime(View date, View time, Stamp& out) {
    Stamp s;
    qsizetype p = 0;
    if (!readDate(date, p, s) || p != date.size())
        return false;
    p = 0;
    if (!readTime(time, p, s) || p != time.size())
        return false;
    out = s;
    return true;
}

} // namespace

bool readStamp(QStringView text, Stamp& out) {
    Stamp s;
    qsizetype p = 0;
    if (!readDate(text, p, s))
        return false;
    const qsizetype blanks = p;
    while (p < text.size() && text[p] == u' ')
        ++p;
    if (p == blanks || !readTime(text, p, s) || p != text.size())
        return false;
    out = s;
    return true;
}

bool readStamp(QStringView date, QStringView time, Stamp& out) {
    return readDateAndTime(date, time, out);
}

bool readStamp(QByteArrayView date, QByteArrayView time, Stamp& out) {
    return readDateAndTime(date, time, out);
}

void Stamp::addSeconds(qint64 seconds) {
    qint64 total = second + seconds;
    second = static_cast<int>(total % 60);
    qint64 carry = total / 60;
    if (second < 0) {
        second += 60;
        --carry;
    }
    if (carry == 0)
        return;
    total = minute + carry;
    minute = static_cast<int>(total % 60);
    carry = total / 60;
    if (minute < 0) {
        minute += 60;
        --carry;
    }
    if (carry == 0)
        return;
    total = hour + carry;
    hour = static_cast<int>(total % 24);
    carry = total / 24;
    if (hour < 0) {
        hour += 24;
        --carry;
    }
    if (carry == 0)
        return;
    const QDate d = QDate(year, month, day).addDays(carry);
    year = d.year();
    month = d.month();
    day = d.day();
}

void Stamp::write(char16_t* out) const {
    auto two = [&](int v, int at) {
        out[at] = static_cast<char16_t>(u'0' + (v / 10) % 10);
        out[at + 1] = static_cast<char16_t>(u'0' + v % 10);
    };
    two(year / 100, 0);
    two(year % 100, 2);
    out[4] = u'/';
    two(month, 5);
    out[7] = u'/';
    two(day, 8);
    out[10] = u' ';
    two(hour, 11);
    out[13] = u':';
    two(minute, 14);
    out[16] = u':';
    two(second, 17);
}

void Stamp::writeAscii(char* out) const {
    auto two = [&](int v, int at) {
        out[at] = static_cast<char>('0' + (v / 10) % 10);
        out[at + 1] = static_cast<char>('0' + v % 10);
    };
    two(year / 100, 0);
    two(year % 100, 2);
    out[4] = '/';
    two(month, 5);
    out[7] = '/';
    two(day, 8);
    out[10] = ' ';
    two(hour, 11);
    out[13] = ':';
    two(minute, 14);
    out[16] = ':';
    two(second, 17);
}

QString Stamp::text() const {
    QString s(19, Qt::Uninitialized);
    write(reinterpret_cast<char16_t*>(s.data()));
    return s;
}

int weekdayOf20yy(int yy, int month, int day) {
    const QDate d(2000 + yy, month, day);
    if (!d.isValid())
        return -1;
    return d.dayOfWeek() - 1;
}

namespace {
int twoDigits(QStringView t) {
    int v = 0;
    if (t.size() != 2 || !tryToInt(t, v) || t[0] == u'+' || t[0] == u'-')
        throw DataError(QStringLiteral("「%1」は2桁の数値ではありません。").arg(excerpt(t)));
    return v;
}
int weekdayOrThrow(int yy, int month, int day, QStringView text) {
    const int w = weekdayOf20yy(yy, month, day);
    if (w < 0)
        throw DataError(QStringLiteral("「%1」は日付ではありません。").arg(excerpt(text)));
    return w;
}
} // namespace

int weekdayOfRowDate(QStringView f) {
    if (f.size() < 7)
        throw DataError(QStringLiteral("「%1」は日付ではありません。").arg(excerpt(f)));
    return weekdayOrThrow(twoDigits(f.mid(2, 2)), twoDigits(f.mid(5, 2)), twoDigits(f.right(2)), f);
}

int weekdayOfCatalogueText(QStringView t) {
    const qsizetype y = t.indexOf(u'年');
    const qsizetype m = t.indexOf(u'月');
    const qsizetype d = t.indexOf(u'日');
    if (y < 2 || m < y || d < m)
        throw DataError(QStringLiteral("「%1」は日付ではありません。").arg(excerpt(t)));
    return weekdayOrThrow(twoDigits(t.mid(y - 2, 2)), toInt(t.mid(y + 1, m - y - 1)),
                          toInt(t.mid(m + 1, d - m - 1)), t);
}

QStringList hourItems() {
    QStringList hours;
    for (int h = 0; h < 24; ++h)
        hours.append(QStringLiteral("%1").arg(h, 2, 10, QLatin1Char('0')));
    return hours;
}

QString weekdayLetter(int weekday) {
    static const char16_t* letters[7] = {u"月", u"火", u"水", u"木", u"金", u"土", u"日"};
    return weekday >= 0 && weekday < 7 ? QString::fromUtf16(letters[weekday]) : QString();
}

QString axisDayLabel(const QString& catalogueText) {
    QString text = catalogueText.mid(catalogueText.indexOf(u'月') + 1);
    text.remove(u'日');
    return text;
}

QString closingDayLabel(const QString& lastCatalogueText) {
    const int next = toInt(axisDayLabel(lastCatalogueText)) + 1;
    return next == 32 ? QStringLiteral("1") : QString::number(next);
}

QString minuteBlockLabel(int block) {
    return QStringLiteral("%1~%2").arg(10 * (block - 1)).arg(10 * block);
}

QString dateWithWeekday(const QString& catalogueText) {
    return catalogueText + weekdayMark(weekdayOfCatalogueText(catalogueText));
}

QString weekdayMark(int weekday) {
    return QStringLiteral("(") + weekdayLetter(weekday) + QStringLiteral(")");
}

} // namespace moravel
