#pragma once

#include "data/Compliance.h"
#include "data/Events.h"
#include "data/ItemPage.h"
#include "data/Levels.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace moravel::csv {

// The column heading rows that follow the "LED停止時間," row of each kind of output.
enum class Headings { Noise, Vibration, Combined, Period, None };
QStringList headingRows(Headings headings);

// A data line: contains ":" and does not contain "ST".
bool isDataLine(QStringView line);

// One CSV file being built, in code page 932 with CR LF after every row. Rows of ASCII text go in
// without the encoder.
class CsvText {
public:
    void row(QStringView text);
    void emptyRow() { m_bytes.append("\r\n", 2); }
    const QByteArray& bytes() const { return m_bytes; }
    QByteArray& bytes() { return m_bytes; }

private:
    QByteArray m_bytes;
};

// The line conversion of a header line (every line that is not a data line), by its index in the
// file: the weekday, LED time and item rows; after the "STOP" row an empty row and the heading rows
// (none for a raw file). Throws DataError where a START or STOP line has no second field.
void convertHeaderLine(const QString& line, int index, Headings headings, CsvText& out);

// The date-time and the values of a summary data row: "yyyy/mm/dd hh:mm:ss,v1,...". Throws
// DataError when the row's date and time cannot be read.
QString summaryDataRow(const QString& line);

// A whole day file of statistical levels as CSV (.LAC with the noise headings, .LVC with the
// vibration headings). Throws DataError.
QByteArray summaryCsv(const QStringList& lines, Headings headings);

// The combined CSV of a day: the .LAC file's header and rows, each row followed by the values of the
// .LVC line at the same index. Throws DataError, also when the .LVC file is shorter.
// The names of the files, where given, are put in front of a message about their content.
QByteArray combinedCsv(const QStringList& lac, const QStringList& lvc, const QString& lacName = QString(),
                       const QString& lvcName = QString());

// A raw level file as CSV: one row per sample, one second apart from its line's time (a time of
// fewer than five characters read as 00:00); lines whose date cannot be read are dropped.
QByteArray rawCsv(const QStringList& lines);
// The same from the file's bytes: what rawCsv(decodeLines(bytes)) gives, without making text of
// the lines that are plain ASCII. Throws DataError where decodeLines does.
QByteArray rawCsvFromBytes(const QByteArray& bytes);
// The same, handed out in chunks as it is made.
void rawCsvStream(const QByteArray& bytes, const std::function<void(QByteArrayView)>& sink);

// The rows of a raw level file's conversion that fall in the seconds [first, last) of `day`, with
// the rows of its header: the CSV of an interval marked on the time history.
QByteArray rawIntervalCsv(const QByteArray& bytes, const QDate& day, int first, int last);

// What the period CSV is made of: the main window's item page and period maxima.
struct PeriodInputs {
    data::ItemPage page;
    QStringList dayTexts; // the catalogue texts of the period's days, first to last
    const data::DailyMaxima* la = nullptr;
    const data::DailyMaxima* lv = nullptr;
};
// Throws DataError when a day's text holds no date or a maximum is missing.
QByteArray periodCsv(const PeriodInputs& in);

// The compliance with the reference values as CSV: one row per day and channel, Japanese headings.
QByteArray complianceCsv(const data::Compliance& compliance);

// The events of days as CSV: one row per event, noise before vibration, in time order.
QByteArray eventsCsv(const QList<data::DayEvents>& days);
// A level in tenths of a decibel as "63.5", and a second of the day as "10:42:00".
QString secondClock(int second);

// The names of the files directly in a directory as full paths, sorted as text ignoring case.
// Throws DataError when the directory cannot be listed.
QStringList sortedListing(const QString& directory);
void fileListSort(QStringList& paths);

// The save step: asks before replacing an existing file (`mayReplace` returns whether to write) and
// writes the bytes in one piece. Returns whether the file was written. Throws DataError on a failed
// write.
bool saveCsv(const QString& path, const QByteArray& bytes,
             const std::function<bool(const QString&)>& mayReplace);

} // namespace moravel::csv
