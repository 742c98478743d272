#pragma once

#include "common/LevelStat.h"

#include <QString>
#include <QStringList>
#include <array>

namespace moravel::data {

// Nine lists of level texts, indexed by LevelStat.
using LevelLists = std::array<QStringList, LevelStatCount>;
// The growing month lists: ten lists, 0..8 used.
using MonthLists = std::array<QStringList, 10>;

constexpr int SlotsPerDay = 144;
// A day file's header takes lines 0 to 16: its first data row is line 17.
constexpr int FirstDataLine = 17;
constexpr int MaxPeriodDays = 31;
constexpr int MaxPeriodHours = 24 * MaxPeriodDays; // 744

// Daily maxima of a period: [LevelStat][day], whole numbers as text.
using DailyMaxima = std::array<std::array<QString, MaxPeriodDays>, LevelStatCount>;
// Hourly maxima of a period: [LevelStat][24 * day + hour], whole numbers as text.
using HourlyMaxima = std::array<std::array<QString, MaxPeriodHours>, LevelStatCount>;

// The values of the 144 intervals of a day per LevelStat, as numbers; NaN where an interval holds
// none (a missing row, "---.-", an empty field).
using DayValues = std::array<std::array<double, SlotsPerDay>, LevelStatCount>;

// No level the monitor measures comes near 1000 dB: a text of that size or more is a broken value.
constexpr double MaxLevel = 1000;

// A level text of a day file that is neither a number below MaxLevel nor a gap ("---.-" or empty), and where
// it stands: the interval and the LevelStat.
struct BrokenLevel {
    int slot = 0;
    int stat = 0;
    QString text;
};

// The text of a missing interval or one outside the time window.
inline QString noLevel() {
    return QStringLiteral("000.0");
}

} // namespace moravel::data
