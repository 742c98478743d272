#pragma once

#include <QString>
#include <QStringList>

namespace moravel::data {

// Eight digits yyyymmdd of a measured day, by the one pattern the device's names are checked with
// (a 13th month passes: the pattern is all that is checked).
bool isDayStem(const QString& stem);

// The catalogue of measured days from the names of the files directly in a card directory: the stems
// for which both stem + ".LAC" and stem + ".LVC" exist (extensions compared exactly, upper case),
// sorted ascending.
QStringList catalogueFromNames(const QStringList& fileNames);

// Splits a file name at its last "." into the name without extension and the extension with its
// dot (empty when there is none).
void splitExtension(const QString& fileName, QString& stem, QString& extension);

} // namespace moravel::data
