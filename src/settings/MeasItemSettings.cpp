#include "settings/MeasItemSettings.h"

#include "app/MainForm.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "platform/Volume.h"
#include "platform/Widgets.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using moravel::platform::dialogs;

TFmMeasItemSettings::TFmMeasItemSettings(TFmMain& mainWindow)
    : QWidget(nullptr, Qt::Window), m_main(mainWindow) {
    setObjectName(QStringLiteral("FmMeasItemSettings"));
    setWindowTitle(QStringLiteral("計測項目設定"));
    FormCreate();
}

QString TFmMeasItemSettings::Directory() const {
    return m_main.EdSelectDir->text();
}

void TFmMeasItemSettings::FormCreate() {
    TimeComboInit();
    WeekArrayInit();
    NameArrayInit();
    LengthArrayInit();
    EditArrayInit();
    LabelArrayInit();
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
    QStringList hours;
    for (int h = 0; h < 24; ++h)
        hours.append(QStringLiteral("%1").arg(h, 2, 10, QLatin1Char('0')));
    const QStringList minutes = {QStringLiteral("00"), QStringLiteral("30")};
    for (QComboBox* c : {m_main.CbStartH, m_main.CbStopH}) {
        moravel::platform::fillCombo(c, hours);
        c->setMaxVisibleItems(24);
        c->setCurrentIndex(0);
    }
    for (QComboBox* c : {m_main.CbStartM, m_main.CbStopM}) {
        moravel::platform::fillCombo(c, minutes);
        c->setCurrentIndex(0);
    }
}

void TFmMeasItemSettings::WeekArrayInit() {
    CbWeek = m_main.SettingsCb;
}

void TFmMeasItemSettings::NameArrayInit() {
    NameArray = moravel::itemNames();
}

void TFmMeasItemSettings::LengthArrayInit() {
    LengthArray = moravel::settings::itemLengths();
}

void TFmMeasItemSettings::EditArrayInit() {
    EditArray = m_main.SettingsEdits;
}

void TFmMeasItemSettings::LabelArrayInit() {
    LabelArray = m_main.SettingsLabels;
}

void TFmMeasItemSettings::DataClear() {
    for (QLineEdit* e : EditArray)
        e->clear();
    for (QCheckBox* b : CbWeek)
        b->setChecked(false);
}

QString TFmMeasItemSettings::FileSystemName() const {
    return moravel::platform::fileSystemName(Directory());
}

void TFmMeasItemSettings::BtRegisterClick() {
    moravel::settings::SettingsEntries entries;
    for (size_t i = 0; i < EditArray.size(); ++i)
        entries.items[i] = EditArray[i]->text();
    for (size_t i = 0; i < CbWeek.size(); ++i) {
        CbWeek_Int[i] = CbWeek[i]->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
        entries.weekFlags += CbWeek_Int[i];
    }
    entries.startHour = m_main.CbStartH->currentText();
    entries.startMinute = m_main.CbStartM->currentText();
    entries.stopHour = m_main.CbStopH->currentText();
    entries.stopMinute = m_main.CbStopM->currentText();
    moravel::settings::RegisterCallbacks callbacks;
    callbacks.fileSystemName = [this] { return FileSystemName(); };
    callbacks.ask = [this](const QString& question) {
        return dialogs().askYesNo(&m_main, question) == moravel::platform::Answer::Yes;
    };
    callbacks.warning = [this](const QString& text) { dialogs().warning(&m_main, text); };
    callbacks.information = [this](const QString& text) { dialogs().information(&m_main, text); };
    // A failed write is not caught here: it goes to the general error report.
    moravel::settings::registerSettings(Directory(), entries, callbacks);
}

void TFmMeasItemSettings::SettingsFileRead() {
    const QString dir = Directory();
    if (dir.isEmpty())
        return;
    const QString path = moravel::settings::settingsFilePath(dir);
    if (!moravel::platform::fileExists(path))
        return;
    // A file that cannot be read or decoded is not caught here: it goes to the general error report.
    const moravel::settings::SettingsContent content =
        moravel::settings::parseSettingsFile(moravel::platform::readLines(path));
    if (content.startHour)
        m_main.CbStartH->setCurrentIndex(*content.startHour);
    if (content.stopHour)
        m_main.CbStopH->setCurrentIndex(*content.stopHour);
    if (content.corrupt) {
        DataClear();
        dialogs().information(&m_main, QStringLiteral("MORVEL.TXTは破損しています"));
        return;
    }
    for (size_t i = 0; i < EditArray.size(); ++i)
        EditArray[i]->setText(content.items[i]);
    for (size_t i = 0; i < CbWeek.size(); ++i)
        CbWeek[i]->setChecked(content.week[i]);
}
