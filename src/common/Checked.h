#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace moravel {

// Checked accessors for the data paths: each throws DataError with a readable text instead of
// reading past the end of a list or taking a malformed text for a number.

// Line i of a file's lines.
const QString& lineAt(const QStringList& lines, qsizetype i);

// Entry i of any list of texts (a level list, a catalogue).
const QString& entryAt(const QStringList& list, qsizetype i, const char* what);

// A level text ("055.3", "70", "1e2"; "." as the decimal separator, surrounding blanks allowed)
// as a number. Empty texts, "---.-", infinities and NaN are not numbers.
double levelValue(QStringView text);
bool tryLevelValue(QStringView text, double& value);

// A level as a whole number, truncated toward zero (55.9 -> 55, -0.5 -> 0).
qint64 levelTruncated(QStringView text);
// A level as a whole number, rounded down (55.9 -> 55, -0.5 -> -1).
qint64 levelFloored(QStringView text);

// A whole number in decimal, optionally signed, nothing else around it, within 32 bits.
int toInt(QStringView text);
bool tryToInt(QStringView text, int& value);

} // namespace moravel
