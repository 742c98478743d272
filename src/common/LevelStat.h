#pragma once

#include <QString>
#include <QStringList>
#include <QtGui/qrgb.h>
#include <array>

namespace moravel {

// The nine statistical quantities of a day file, in their column order.
enum LevelStat { Leq = 0, Le, L05, L10, L50, L90, L95, Lmin, Lmax };
constexpr int LevelStatCount = 9;

// "Leq", "Le", ... "Lmax".
QString levelStatName(int stat);
const std::array<QString, LevelStatCount>& levelStatNames();

// The items of the level combos: the noise combo lists all nine, the vibration combo all but "Le".
QStringList noiseLevelItems();
QStringList vibrationLevelItems();
// The LevelStat of a name, -1 for a text that names none.
int levelStatOf(QStringView name);

// Series colour of a quantity (opaque ARGB), used for lines and check-box captions.
QRgb levelStatColour(int stat);

// The vibration level combo has no "Le": item 0 is Leq, item i >= 1 stands for LevelStat i + 1.
inline int vibrationComboToStat(int itemIndex) {
    return itemIndex <= 0 ? itemIndex : itemIndex + 1;
}

} // namespace moravel
