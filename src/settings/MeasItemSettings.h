#pragma once

#include <QString>
#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// The settings object behind the main window's page "測定項目設定": reads "MORVEL.TXT" of the card
// directory into the page's controls, checks the entries and writes the file back. It finds the
// main window's controls by their names. Its own window ("計測項目設定") is not shown.
class TFmMeasItemSettings : public QWidget {
    Q_OBJECT

public:
    explicit TFmMeasItemSettings(QWidget* mainWindow);

    std::array<QString, 11> NameArray;
    std::array<QLineEdit*, 11> EditArray{};
    std::array<QLabel*, 11> LabelArray{};
    std::array<int, 11> LengthArray{};
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
    bool LengthCheck(int maximum, const QString& text, QStringList& messages, const QString& label) const;
    void NumberCheck(const QString& text, const QString& label, QStringList& messages) const;
    void InputCheck();
    void SettingsFileRead();
    void SettingsFileWrite();

private:
    QString Directory() const;
    QComboBox* Combo(const char* name) const;
    QWidget* m_main;
};
