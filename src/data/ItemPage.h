#pragma once

#include "common/Items.h"

#include <QString>
#include <array>

namespace moravel::data {

// What the item page "測定項目情報" shows, as the report and the period CSV take it: the items by
// item index (the notices at Notices), the measurement date or period, the LED times and the
// construction weekdays, Monday first.
struct ItemPage {
    ItemTexts items;
    QString date;
    QString ledStart, ledStop;
    std::array<bool, 7> week{};
};

} // namespace moravel::data
