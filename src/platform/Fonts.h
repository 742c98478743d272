#pragma once

#include <QString>

namespace moravel::platform {

// The family used for every text of the program, on screen and on the report page: a font with
// Japanese glyphs where the machine has one.
QString uiFontFamily();

} // namespace moravel::platform
