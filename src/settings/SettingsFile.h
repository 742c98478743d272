#pragma once

#include "common/Items.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace moravel::settings {

// The longest text each item may hold, in characters (UTF-16 code units).
const std::array<int, ItemCount>& itemLengths();
// The text of the label that names each item on the settings page and in messages.
const std::array<QString, ItemCount>& itemLabels();

// What "MORVEL.TXT" puts on the settings page.
struct SettingsContent {
    bool corrupt = false;
    ItemTexts items;
    std::array<bool, 7> week{};
    // The hours are set as far as the reading got: a start hour read before the stop hour turned out
    // bad stays set.
    std::optional<int> startHour;
    std::optional<int> stopHour;
};

// Reads the lines of a settings file: the WEEK, START and STOP keys checked, item commas removed,
// line 4 ignored, seven weekday flags of "0" and "1", the two-digit hours 00 to 23 of the LED times.
SettingsContent parseSettingsFile(const QStringList& lines);

// What a settings file is written from: the item texts, the weekday flags and the LED times.
struct SettingsEntries {
    ItemTexts items;
    QString weekFlags; // seven "1" or "0", Monday first
    QString startHour, startMinute, stopHour, stopMinute;
};

// The sixteen lines of a settings file.
QStringList settingsFileLines(const SettingsEntries& entries);

// The length test: true when the text is no longer than the maximum; otherwise appends
// label + "の文字数が" + maximum + "文字を超えています。".
bool lengthCheck(int maximum, const QString& text, QStringList& messages, const QString& label);

// The reference value test: an integer from 0 to 99.
void numberCheck(const QString& text, const QString& label, QStringList& messages);

// The characters of an item: no control character (a pasted line break would split the file's
// line) and none that code page 932 cannot hold (it would reach the device as "?").
void characterCheck(const QString& text, const QString& label, QStringList& messages);

// Every check of the entries before they are written, in item order: the length of each item, the
// two references as whole numbers from 0 to 99, and the characters of each. Empty when everything
// passes.
QStringList inputCheck(const ItemTexts& items);

// What registering the settings asks and tells on its way.
struct RegisterCallbacks {
    std::function<QString()> fileSystemName;          // of the card directory's volume
    std::function<bool(const QString& question)> ask; // a Yes/No question; true for Yes
    std::function<void(const QString& text)> warning; // the warning box of the checks
    std::function<void(const QString& text)> information;
    // The checks of the entries, where they differ from inputCheck (the command line checks only
    // what it changes, and what cannot be written back as it was).
    std::function<QStringList(const ItemTexts& items)> inputCheck;
};

// The line of the settings file (from 0) that holds an item.
int itemLine(int item);

enum class RegisterOutcome { NoDirectory, Declined, Refused, Written };

// Registers the settings of a card directory (ending with a path separator): the FAT32 question
// unless the volume is FAT32, the checks of the entries (one warning listing every problem), the
// confirmation, the question before replacing an existing file, then the file written in one piece
// and "保存完了しました". A failed write throws DataError and leaves the old file as it was.
RegisterOutcome registerSettings(const QString& directory, const SettingsEntries& entries,
                                 const RegisterCallbacks& callbacks);

// "MORVEL.TXT" of a card directory that ends with a path separator.
QString settingsFilePath(const QString& directory);

} // namespace moravel::settings
