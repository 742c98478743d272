#pragma once

#include "common/Items.h"

#include <QString>
#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class TFmMain;

// The settings object behind the main window's page "測定項目設定": reads "MORVEL.TXT" of the card
// directory into the page's controls and registers the entries back into it. It works on the main
// window's controls; its own window ("計測項目設定") is not shown.
class TFmMeasItemSettings : public QWidget {
    Q_OBJECT

public:
    explicit TFmMeasItemSettings(TFmMain& mainWindow);

    std::array<QString, moravel::ItemCount> NameArray;
    std::array<QLineEdit*, moravel::ItemCount> EditArray{};
    std::array<QLabel*, moravel::ItemCount> LabelArray{};
    std::array<int, moravel::ItemCount> LengthArray{};
    std::array<QCheckBox*, 7> CbWeek{};
    std::array<QString, 7> CbWeek_Int;

    void FormCreate();
    void FormShow();
    void DataInit();
    void BtRegisterClick();
    void TimeComboInit();
    void WeekArrayInit();
    void NameArrayInit();
    void LengthArrayInit();
    void EditArrayInit();
    void LabelArrayInit();
    void DataClear();
    QString FileSystemName() const;
    void SettingsFileRead();

private:
    QString Directory() const;
    TFmMain& m_main;
};
