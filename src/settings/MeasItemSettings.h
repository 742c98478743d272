#pragma once

#include <QString>
#include <QWidget>
#include <functional>

namespace moravel::settings {
class SettingsPage;
}

// The settings object behind the main window's page "測定項目設定": reads "MORVEL.TXT" of the card
// directory into the page and registers the page back into it. Its own window ("計測項目設定") is
// not shown.
class TFmMeasItemSettings : public QWidget {
    Q_OBJECT

public:
    // The page it works on, and the card directory chosen now.
    TFmMeasItemSettings(moravel::settings::SettingsPage& page, std::function<QString()> directory);

    void FormCreate();
    void FormShow();
    void DataInit();
    void BtRegisterClick();
    void TimeComboInit();
    void DataClear();
    QString FileSystemName() const;
    void SettingsFileRead();

private:
    moravel::settings::SettingsPage& m_page;
    std::function<QString()> m_directory;
};
