#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace moravel::settings {

// The item key names, index 0 to 10, in the order of the file's item lines.
const std::array<QString, 11>& itemNames();
// The longest text each item may hold, in characters (UTF-16 code units).
const std::array<int, 11>& itemLengths();

// What "MORVEL.TXT" puts on the settings page.
struct SettingsContent {
    bool corrupt = false;
    std::array<QString, 11> items;
    std::array<bool, 7> week{};
    // The hours are set as far as the reading got: a start hour read before the stop hour turned out
    // bad stays set.
    std::optional<int> startHour;
    std::optional<int> stopHour;
};

// Reads the lines of a settings file: the WEEK, START and STOP keys checked, item commas removed,
// line 4 ignored, seven weekday flags of "0" and "1", the two-digit hours 00 to 23 of the LED times.
SettingsContent parseSettingsFile(const QStringList& lines);

// The sixteen lines of a settings file.
QStringList settingsFileLines(const std::array<QString, 11>& items, const QString& weekFlags, const QString& startHour,
                              const QString& startMinute, const QString& stopHour, const QString& stopMinute);

// The length test: true when the text is no longer than the maximum; otherwise appends
// label + "の文字数が" + maximum + "文字を超えています。".
bool lengthCheck(int maximum, const QString& text, QStringList& messages, const QString& label);

// The reference value test: an integer from 0 to 99.
void numberCheck(const QString& text, const QString& label, QStringList& messages);

} // namespace moravel::settings
