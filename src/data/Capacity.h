#pragma once

#include <QString>

namespace moravel::data {

// The shortest general decimal form of a number with up to 15 significant digits, the way the
// system writes floating-point numbers ("123.456", "3", "1.5E-6").
QString generalFloatText(double value);

// The capacity message for a number of free bytes: the free gigabytes (1 GB = 1073741824 bytes)
// cut to five characters, and the days and months the card can still record at 0.0015 GB a day and
// 31 days a month.
QString capacityMessage(qint64 freeBytes);

} // namespace moravel::data
