#include "common/Items.h"

namespace moravel {

const std::array<QString, ItemCount>& itemNames() {
    static const std::array<QString, ItemCount> names = {
        QStringLiteral("MeasTarget"),    QStringLiteral("MeasSpot"),        QStringLiteral("MeasPositionS"),
        QStringLiteral("MeasPositionV"), QStringLiteral("RegulationS"),     QStringLiteral("RegulationV"),
        QStringLiteral("Notices"),       QStringLiteral("MeasInstitution"), QStringLiteral("MeasName"),
        QStringLiteral("ReferenceS"),    QStringLiteral("ReferenceV")};
    return names;
}

} // namespace moravel
