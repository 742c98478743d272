#pragma once

#include "common/Items.h"

#include <QString>
#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace moravel::settings {

// The page "測定項目設定": the items the monitor takes from the settings file "MORVEL.TXT" of the
// card directory, read into the page and registered back into the file. The weekday flags and the
// LED hours are not shown: they carry the file's values from the last read into the next write.
class SettingsPage : public QWidget {
    Q_OBJECT

public:
    explicit SettingsPage(QWidget* parent = nullptr);

    QPushButton* BtRegister = nullptr; // 登録
    QPushButton* BtCancell = nullptr;  // 戻す
    QComboBox* CbStartH = nullptr;
    QComboBox* CbStartM = nullptr;
    QComboBox* CbStopH = nullptr;
    QComboBox* CbStopM = nullptr;
    std::array<QLineEdit*, ItemCount> SettingsEdits{}; // SettingsEdMeasTarget ... SettingsEdReferenceV
    std::array<QLabel*, ItemCount> SettingsLabels{};   // LbMeasTarget ... LbReferenceV
    std::array<QCheckBox*, 7> SettingsCb{};            // SettingsCb1 ... SettingsCb7

    void TimeComboInit();
    void DataClear();
    // Reads the settings file of a card directory into the page; nothing without a directory or a
    // file. A broken file empties the page and says so.
    void SettingsFileRead(const QString& directory);
    // Registers the page into the settings file of a card directory, asking and telling as it goes.
    void Register(const QString& directory);
    // The texts of the items, by item index.
    ItemTexts Texts() const;

signals:
    void registerWanted();
    void cancelWanted();
};

} // namespace moravel::settings
