#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace moravel {

// The catalogue text of a day stem yyyymmdd: yyyy年mm月dd日.
QString dateNumToString(const QString& stem);

// A point in time read from a data row, to the second.
struct Stamp {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;

    void addSeconds(qint64 seconds);
    // "yyyy/mm/dd hh:mm:ss"
    QString text() const;
    // Writes the 19 characters of text() to out.
    void write(char16_t* out) const;
    void writeAscii(char* out) const;
};

// Reads "yyyy/m/d h:m" or "yyyy/m/d h:m:s" (one or more blanks between, leading zeros optional,
// four-digit year) with a valid calendar date and time of day. Returns false for anything else.
bool readStamp(QStringView text, Stamp& out);
// The same for a date and a time given separately (fields 0 and 1 of a data row), as text or as the
// bytes of a plain ASCII line.
bool readStamp(QStringView date, QStringView time, Stamp& out);
bool readStamp(QByteArrayView date, QByteArrayView time, Stamp& out);

// Weekday of 20yy-mm-dd, Monday = 0 ... Sunday = 6; -1 when the date does not exist.
int weekdayOf20yy(int yy, int month, int day);

// The weekday of a date field "yyyy/mm/dd" of a data row, from its characters 3-4 (year), 6-7
// (month) and its last two (day). Throws DataError when they do not form a date.
int weekdayOfRowDate(QStringView dateField);

// The weekday of a catalogue text "yyyy年mm月dd日", read around "年", "月" and "日".
// Throws DataError when the text does not hold a date.
int weekdayOfCatalogueText(QStringView text);

// The day of a catalogue text "yyyy年mm月dd日" as a month axis labels it: the text after the first
// "月" with every "日" removed ("05").
QString axisDayLabel(const QString& catalogueText);
// The label under the closing tick of a month axis, after the period's last day: that day plus one as
// a plain number, with "32" written as "1". Throws DataError when the day is not a number.
QString closingDayLabel(const QString& lastCatalogueText);

// The ten-minute block `block` (1..6) of an hour as the day tables label it: "0~10" ... "50~60".
QString minuteBlockLabel(int block);

// A catalogue text followed by its weekday mark: "2021年03月01日(月)". Throws DataError when the text
// does not hold a date.
QString dateWithWeekday(const QString& catalogueText);

// "(月)" ... "(日)" for Monday = 0 ... Sunday = 6.
QString weekdayMark(int weekday);
// "月" ... "日".
QString weekdayLetter(int weekday);
// "00" ... "23": the items of the hour combos.
QStringList hourItems();

} // namespace moravel
