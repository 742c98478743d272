#include "settings/MeasItemSettings.h"

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

TFmMeasItemSettings::TFmMeasItemSettings(QWidget* mainWindow) : QWidget(nullptr, Qt::Window), m_main(mainWindow) {
    setObjectName(QStringLiteral("FmMeasItemSettings"));
    setWindowTitle(QStringLiteral("計測項目設定"));
    FormCreate();
}

QString TFmMeasItemSettings::Directory() const {
    auto* dir = m_main->findChild<QLineEdit*>(QStringLiteral("EdSelectDir"));
    return dir ? dir->text() : QString();
}

QComboBox* TFmMeasItemSettings::Combo(const char* name) const {
    return m_main->findChild<QComboBox*>(QString::fromLatin1(name));
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
    for (const char* name : {"CbStartH", "CbStopH"})
        if (QComboBox* c = Combo(name)) {
            moravel::platform::fillCombo(c, hours);
            c->setMaxVisibleItems(24);
            c->setCurrentIndex(0);
        }
    for (const char* name : {"CbStartM", "CbStopM"})
        if (QComboBox* c = Combo(name)) {
            moravel::platform::fillCombo(c, minutes);
            c->setCurrentIndex(0);
        }
}

void TFmMeasItemSettings::WeekArrayInit() {
    for (int i = 0; i < 7; ++i)
        CbWeek[static_cast<size_t>(i)] = m_main->findChild<QCheckBox*>(QStringLiteral("SettingsCb%1").arg(i + 1));
}

void TFmMeasItemSettings::NameArrayInit() { NameArray = moravel::settings::itemNames(); }

void TFmMeasItemSettings::LengthArrayInit() { LengthArray = moravel::settings::itemLengths(); }

void TFmMeasItemSettings::EditArrayInit() {
    for (size_t i = 0; i < NameArray.size(); ++i)
        EditArray[i] = m_main->findChild<QLineEdit*>(QStringLiteral("SettingsEd") + NameArray[i]);
}

void TFmMeasItemSettings::LabelArrayInit() {
    for (size_t i = 0; i < NameArray.size(); ++i)
        LabelArray[i] = m_main->findChild<QLabel*>(QStringLiteral("Lb") + NameArray[i]);
}

void TFmMeasItemSettings::DataClear() {
    for (QLineEdit* e : EditArray)
        if (e)
            e->clear();
    for (QCheckBox* b : CbWeek)
        if (b)
            b->setChecked(false);
}

QString TFmMeasItemSettings::FileSystemName() const { return moravel::platform::fileSystemName(Directory()); }

bool TFmMeasItemSettings::LengthCheck(int maximum, const QString& text, QStringList& messages,
                                      const QString& label) const {
    return moravel::settings::lengthCheck(maximum, text, messages, label);
}

void TFmMeasItemSettings::NumberCheck(const QString& text, const QString& label, QStringList& messages) const {
    moravel::settings::numberCheck(text, label, messages);
}

void TFmMeasItemSettings::BtRegisterClick() {
    if (Directory().isEmpty()) {
        dialogs().information(m_main, QStringLiteral("ディレクトリが指定されていません\r\n"
                                                     "メインウィンドウでディレクトリを指定してください"));
        return;
    }
    if (FileSystemName() != u"FAT32") {
        const auto answer = dialogs().askYesNo(
            m_main, QStringLiteral("選択したディレクトリのファイルシステムが「FAT32」ではありません。\r\n"
                                   "データを書き込みますか"));
        if (answer != moravel::platform::Answer::Yes)
            return;
    }
    InputCheck();
}

void TFmMeasItemSettings::InputCheck() {
    QStringList messages;
    for (size_t i = 0; i < EditArray.size(); ++i) {
        const QString text = EditArray[i] ? EditArray[i]->text() : QString();
        const QString label = LabelArray[i] ? LabelArray[i]->text() : QString();
        LengthCheck(LengthArray[i], text, messages, label);
        if (i == 9 || i == 10)
            NumberCheck(text, label, messages);
    }
    if (!messages.isEmpty()) {
        QString text;
        for (const QString& m : std::as_const(messages))
            text += m + QStringLiteral("\r\n");
        dialogs().warning(m_main, text);
        return;
    }
    const auto answer =
        dialogs().askYesNo(m_main, Directory() + QStringLiteral("に設定ファイルを作成します。よろしいですか？"));
    if (answer == moravel::platform::Answer::Yes)
        SettingsFileWrite();
}

void TFmMeasItemSettings::SettingsFileRead() {
    const QString dir = Directory();
    if (dir.isEmpty())
        return;
    const QString path = dir + QStringLiteral("MORVEL.TXT");
    if (!moravel::platform::fileExists(path))
        return;
    // A file that cannot be read or decoded is not caught here: it goes to the general error report.
    const moravel::settings::SettingsContent content =
        moravel::settings::parseSettingsFile(moravel::platform::readLines(path));
    if (content.startHour)
        if (QComboBox* c = Combo("CbStartH"))
            c->setCurrentIndex(*content.startHour);
    if (content.stopHour)
        if (QComboBox* c = Combo("CbStopH"))
            c->setCurrentIndex(*content.stopHour);
    if (content.corrupt) {
        DataClear();
        dialogs().information(m_main, QStringLiteral("MORVEL.TXTは破損しています"));
        return;
    }
    for (size_t i = 0; i < EditArray.size(); ++i)
        if (EditArray[i])
            EditArray[i]->setText(content.items[i]);
    for (size_t i = 0; i < CbWeek.size(); ++i)
        if (CbWeek[i])
            CbWeek[i]->setChecked(content.week[i]);
}

void TFmMeasItemSettings::SettingsFileWrite() {
    const QString dir = Directory();
    if (dir.isEmpty())
        return;
    const QString path = dir + QStringLiteral("MORVEL.TXT");
    if (moravel::platform::fileExists(path) &&
        dialogs().askYesNo(m_main, QStringLiteral("ファイルが既に存在しています。上書きしますか？")) !=
            moravel::platform::Answer::Yes)
        return;
    QString flags;
    for (size_t i = 0; i < CbWeek.size(); ++i) {
        CbWeek_Int[i] = CbWeek[i] && CbWeek[i]->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
        flags += CbWeek_Int[i];
    }
    std::array<QString, 11> items;
    for (size_t i = 0; i < EditArray.size(); ++i)
        items[i] = EditArray[i] ? EditArray[i]->text() : QString();
    auto text = [this](const char* name) {
        QComboBox* c = Combo(name);
        return c ? c->currentText() : QString();
    };
    const QStringList lines = moravel::settings::settingsFileLines(items, flags, text("CbStartH"), text("CbStartM"),
                                                                   text("CbStopH"), text("CbStopM"));
    // Written beside the old file and renamed over it: a failed write leaves the old file as it was
    // and reaches the general error report.
    moravel::platform::writeLines(path, lines);
    dialogs().information(m_main, QStringLiteral("保存完了しました"));
}
