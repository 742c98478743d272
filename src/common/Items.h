#pragma once

#include <QString>
#include <array>

namespace moravel {

// The eleven measurement items, index 0 to 10 in the order of the item lines of the settings file
// and of a day file's header.
constexpr int ItemCount = 11;
enum Item {
    MeasTarget = 0,
    MeasSpot,
    MeasPositionS,
    MeasPositionV,
    RegulationS,
    RegulationV,
    Notices,
    MeasInstitution,
    MeasName,
    ReferenceS,
    ReferenceV
};

// The item key names: "MeasTarget", "MeasSpot", ... "ReferenceV".
const std::array<QString, ItemCount>& itemNames();

using ItemTexts = std::array<QString, ItemCount>;

} // namespace moravel
