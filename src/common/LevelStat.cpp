#include "common/LevelStat.h"

namespace moravel {

const std::array<QString, LevelStatCount>& levelStatNames() {
    static const std::array<QString, LevelStatCount> names = {
        QStringLiteral("Leq"), QStringLiteral("Le"),   QStringLiteral("L05"),
        QStringLiteral("L10"), QStringLiteral("L50"),  QStringLiteral("L90"),
        QStringLiteral("L95"), QStringLiteral("Lmin"), QStringLiteral("Lmax")};
    return names;
}

QString levelStatName(int stat) {
    return stat >= 0 && stat < LevelStatCount ? levelStatNames()[static_cast<size_t>(stat)] : QString();
}

QStringList noiseLevelItems() {
    return QStringList(levelStatNames().begin(), levelStatNames().end());
}

QStringList vibrationLevelItems() {
    QStringList items = noiseLevelItems();
    items.removeAt(Le);
    return items;
}

int levelStatOf(QStringView name) {
    for (int i = 0; i < LevelStatCount; ++i)
        if (levelStatNames()[static_cast<size_t>(i)] == name)
            return i;
    return -1;
}

QRgb levelStatColour(int stat) {
    static const QRgb colours[LevelStatCount] = {
        0xFF808080, // Leq grey
        0xFFFF7F50, // Le coral
        0xFF00008B, // L05 dark blue
        0xFF8B008B, // L10 dark magenta
        0xFF008080, // L50 teal
        0xFF006400, // L90 dark green
        0xFF800000, // L95 maroon
        0xFF000000, // Lmin black
        0xFFFF0000, // Lmax red
    };
    return stat >= 0 && stat < LevelStatCount ? colours[stat] : 0xFF000000;
}

} // namespace moravel
