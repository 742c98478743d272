#include "settings/MeasItemSettings.h"

#include "platform/Volume.h"
#include "settings/SettingsPage.h"

TFmMeasItemSettings::TFmMeasItemSettings(moravel::settings::SettingsPage& page,
                                         std::function<QString()> directory)
    : QWidget(nullptr, Qt::Window), m_page(page), m_directory(std::move(directory)) {
    setObjectName(QStringLiteral("FmMeasItemSettings"));
    setWindowTitle(QStringLiteral("計測項目設定"));
    FormCreate();
}

void TFmMeasItemSettings::FormCreate() {
    TimeComboInit();
    DataClear();
}

void TFmMeasItemSettings::FormShow() {
    DataClear();
    SettingsFileRead();
}

void TFmMeasItemSettings::DataInit() {
    DataClear();
    SettingsFileRead();
}

void TFmMeasItemSettings::TimeComboInit() {
    m_page.TimeComboInit();
}

void TFmMeasItemSettings::DataClear() {
    m_page.DataClear();
}

QString TFmMeasItemSettings::FileSystemName() const {
    return moravel::platform::fileSystemName(m_directory());
}

void TFmMeasItemSettings::BtRegisterClick() {
    m_page.Register(m_directory());
}

void TFmMeasItemSettings::SettingsFileRead() {
    m_page.SettingsFileRead(m_directory());
}
