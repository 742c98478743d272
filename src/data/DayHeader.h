#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace moravel::data {

// What the header of a loaded pair of day files puts on the item page.
struct HeaderCheck {
    enum class Outcome {
        Ok,               // items, weekdays and LED times are good
        Corrupt,          // a WEEK, START or STOP line is broken: messages, then the full reset
        HeaderEndMissing, // line 16 of a file is not empty: messages, the full reset, then the settings texts
    };
    Outcome outcome = Outcome::Ok;
    QStringList messages; // shown one after the other, in order
    // Corrupt without a message: the .LAC file's STOP line is broken while the .LVC file's is not.
    bool silentlyRejected = false;
    // The item texts by item index 0..10 (6 is the notices), as the .LAC header gives them.
    std::array<QString, 11> items;
    std::array<bool, 7> week{};
    QString start, stop; // LED times hh:mm
};

// The weekday flags of a "WEEK," line: seven characters, Monday first, "1" a construction day and
// any other character not. Nothing when the rest of the line is not exactly seven characters.
std::optional<std::array<bool, 7>> parseWeekLine(const QString& line);

// Checks the header of a pair of day files (lines 0 to 16) and reads what the item page shows.
// `stem` names the day in messages; it may throw when no day is selected. Any other error (a line
// that does not exist) throws DataError: the caller shows "データは破損しています。".
HeaderCheck checkHeader(const QStringList& lac, const QStringList& lvc, const std::function<QString()>& stem);

// "は破損しています。" behind a file name and a line break.
QString corruptFileMessage(const QString& fileName);

} // namespace moravel::data
