#pragma once

#include "SampleCard.h"

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

// gtest prints QStrings readably.
QT_BEGIN_NAMESPACE
void PrintTo(const QString& s, std::ostream* os);
void PrintTo(const QStringList& s, std::ostream* os);
void PrintTo(const QByteArray& s, std::ostream* os);
QT_END_NAMESPACE

namespace moravel::test {

// Options of a sample card for a test: `days` measured days from 2021-03-01, the raw level files
// only when asked for, no undetermined values.
moravel::tools::SampleCardOptions cardOptions(int days, bool raw = false);

// Bytes of a file, or empty when it cannot be read.
QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
// A path as the application shows it: with the system's separators (backslashes on Windows).
QString shown(const QString& path);
// Writes lines the way the device does (code page 932, CR LF).
void writeDeviceFile(const QString& path, const QStringList& lines);

// A day file of statistical levels: the sample header, the empty line 16, then the given rows.
QStringList dayFile(const QStringList& rows, const QString& week = QStringLiteral("1111100"));
// A data row "yyyy/mm/dd hh:mm" followed by nine copies of the value.
QString dataRow(const QString& date, int hour, int minute, const QString& value);
// 144 rows of a day, all with the same value.
QStringList fullDayRows(const QString& date, const QString& value);

// Colour of a pixel as 0xAARRGGBB.
inline QRgb px(const QImage& image, int x, int y) {
    return image.pixel(x, y);
}
constexpr QRgb Black = 0xFF000000u;
constexpr QRgb White = 0xFFFFFFFFu;
constexpr QRgb Red = 0xFFFF0000u;

// The contrast ratio of two colours (WCAG: relative luminances L1 >= L2, (L1 + 0.05) / (L2 + 0.05)).
double contrastRatio(QRgb a, QRgb b);
// The contrast of an image's content against its background: the colour found most often is taken
// for the background, and the ratio is that of the pixel that stands out most from it.
double contentContrast(const QImage& image);

// Whether an image shows `text` where it was drawn into `box` (word wrap on, not clipped, in black,
// in the program's font at `pixels`): the same text drawn the same way into the same box of a white
// image gives the same pixels within `compared` (by default the box without its border, where a
// table's ruling runs).
::testing::AssertionResult showsText(const QImage& image, const QRect& box, const QString& text, int pixels,
                                     Qt::Alignment alignment = Qt::AlignCenter, QRect compared = QRect());

} // namespace moravel::test
