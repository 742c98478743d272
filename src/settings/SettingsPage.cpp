#include "settings/SettingsPage.h"

#include "common/DateText.h"
#include "platform/Application.h"
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
#include <QPushButton>

using moravel::platform::dialogs;
using moravel::platform::guarded;
using moravel::platform::make;
using moravel::platform::makeButton;
using moravel::platform::makeLabel;
using moravel::platform::setPixelFont;

namespace moravel::settings {

SettingsPage::SettingsPage(QWidget* parent) : QWidget(parent) {
    QWidget* page = make<QWidget>(this, "LoSettings", QRect(0, 0, 1000, 533));
    auto edit = [&](const char* name, int x, int y, int width) {
        auto* e = make<QLineEdit>(page, name, QRect(x, y, width, 35));
        setPixelFont(e, 16);
        return e;
    };
    // The items' labels and edits, by item index.
    auto item = [&](Item i, const char* text, int labelX, int labelY, int labelWidth, int editX,
                    int editWidth) {
        const QString name = itemNames()[static_cast<size_t>(i)];
        SettingsLabels[static_cast<size_t>(i)] =
            makeLabel(page, "", QString::fromUtf8(text), QRect(labelX, labelY, labelWidth, 35), 16,
                      Qt::AlignRight | Qt::AlignVCenter);
        SettingsLabels[static_cast<size_t>(i)]->setObjectName(QStringLiteral("Lb") + name);
        QLineEdit* e = edit("", editX, labelY, editWidth);
        e->setObjectName(QStringLiteral("SettingsEd") + name);
        SettingsEdits[static_cast<size_t>(i)] = e;
        return e;
    };
    item(MeasTarget, "現場名", 24, 40, 120, 152, 289);
    item(MeasSpot, "測定場所", 24, 112, 120, 152, 289);
    item(MeasPositionS, "測定位置", 24, 184, 120, 152, 289);
    item(RegulationS, "規制基準・騒音S", 24, 256, 120, 152, 121);
    item(ReferenceS, "騒音基準値", 276, 256, 82, 362, 41)->setAlignment(Qt::AlignCenter);
    makeLabel(page, "LbReferenceSUnit", QStringLiteral("dB"), QRect(408, 256, 40, 35), 16);
    item(RegulationV, "・振動V", 24, 328, 120, 152, 121);
    item(ReferenceV, "振動基準値", 276, 328, 82, 362, 41)->setAlignment(Qt::AlignCenter);
    makeLabel(page, "LbReferenceVUnit", QStringLiteral("dB"), QRect(408, 328, 40, 35), 16);
    item(Notices, "特記事項", 464, 40, 120, 592, 273);
    item(MeasInstitution, "測定機関", 464, 112, 120, 592, 273);
    item(MeasName, "測定者", 464, 184, 120, 592, 273);
    BtRegister = makeButton(page, "BtRegister", QStringLiteral("登録"), QRect(688, 438, 120, 50), 20);
    BtCancell = makeButton(page, "BtCancell", QStringLiteral("戻す"), QRect(824, 438, 120, 50), 20);

    // Not changed by the user: they carry the file's weekday flags and hours from the last read into
    // the next write.
    QWidget* hidden = make<QWidget>(page, "PnSettingsHidden", QRect(464, 256, 420, 170));
    hidden->hide();
    item(MeasPositionV, "・振動V", 0, 0, 120, 0, 121);
    SettingsLabels[MeasPositionV]->setParent(hidden);
    SettingsEdits[MeasPositionV]->setParent(hidden);
    makeLabel(hidden, "LbLedStart", QStringLiteral("LED起動時間"), QRect(0, 40, 100, 24), 14);
    CbStartH = make<QComboBox>(hidden, "CbStartH", QRect(100, 40, 60, 24));
    makeLabel(hidden, "LbStartHour", QStringLiteral("時"), QRect(162, 40, 20, 24), 14);
    CbStartM = make<QComboBox>(hidden, "CbStartM", QRect(184, 40, 60, 24));
    makeLabel(hidden, "LbStartMinute", QStringLiteral("分"), QRect(246, 40, 20, 24), 14);
    makeLabel(hidden, "LbLedStop", QStringLiteral("LED停止時間"), QRect(0, 70, 100, 24), 14);
    CbStopH = make<QComboBox>(hidden, "CbStopH", QRect(100, 70, 60, 24));
    makeLabel(hidden, "LbStopHour", QStringLiteral("時"), QRect(162, 70, 20, 24), 14);
    CbStopM = make<QComboBox>(hidden, "CbStopM", QRect(184, 70, 60, 24));
    makeLabel(hidden, "LbStopMinute", QStringLiteral("分"), QRect(246, 70, 20, 24), 14);
    makeLabel(hidden, "LbSettingsWeek", QStringLiteral("施工曜日"), QRect(0, 100, 100, 24), 14);
    for (int i = 0; i < 7; ++i) {
        makeLabel(hidden, "", weekdayLetter(i), QRect(100 + 24 * i, 100, 18, 18), 14);
        auto* box = make<QCheckBox>(hidden, "", QRect(100 + 24 * i, 122, 18, 18));
        box->setObjectName(QStringLiteral("SettingsCb%1").arg(i + 1));
        SettingsCb[static_cast<size_t>(i)] = box;
    }
    connect(BtRegister, &QPushButton::clicked, this, [this] { guarded([&] { emit registerWanted(); }); });
    connect(BtCancell, &QPushButton::clicked, this, [this] { guarded([&] { emit cancelWanted(); }); });
}

void SettingsPage::TimeComboInit() {
    const QStringList hours = hourItems();
    const QStringList minutes = {QStringLiteral("00"), QStringLiteral("30")};
    for (QComboBox* c : {CbStartH, CbStopH}) {
        platform::fillCombo(c, hours);
        c->setMaxVisibleItems(24);
        c->setCurrentIndex(0);
    }
    for (QComboBox* c : {CbStartM, CbStopM}) {
        platform::fillCombo(c, minutes);
        c->setCurrentIndex(0);
    }
}

void SettingsPage::DataClear() {
    for (QLineEdit* e : SettingsEdits)
        e->clear();
    for (QCheckBox* b : SettingsCb)
        b->setChecked(false);
}

ItemTexts SettingsPage::Texts() const {
    ItemTexts texts;
    for (size_t i = 0; i < SettingsEdits.size(); ++i)
        texts[i] = SettingsEdits[i]->text();
    return texts;
}

void SettingsPage::Register(const QString& directory) {
    // The sample card that comes with the application is there to look at.
    if (platform::isSampleCard(directory)) {
        dialogs().warning(window(), QStringLiteral("サンプルカードには書き込めません。") +
                                        QStringLiteral("\r\n") +
                                        QStringLiteral("設定の変更は、実際のカードで行ってください。"));
        return;
    }
    SettingsEntries entries;
    entries.items = Texts();
    for (QCheckBox* box : SettingsCb)
        entries.weekFlags += box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    entries.startHour = CbStartH->currentText();
    entries.startMinute = CbStartM->currentText();
    entries.stopHour = CbStopH->currentText();
    entries.stopMinute = CbStopM->currentText();
    QWidget* parent = window();
    RegisterCallbacks callbacks;
    callbacks.fileSystemName = [directory] { return platform::fileSystemName(directory); };
    callbacks.ask = [parent](const QString& question) {
        return dialogs().askYesNo(parent, question) == platform::Answer::Yes;
    };
    callbacks.warning = [parent](const QString& text) { dialogs().warning(parent, text); };
    callbacks.information = [parent](const QString& text) { dialogs().information(parent, text); };
    // A failed write is not caught here: it goes to the general error report.
    registerSettings(directory, entries, callbacks);
}

void SettingsPage::SettingsFileRead(const QString& directory) {
    if (directory.isEmpty())
        return;
    const QString path = settingsFilePath(directory);
    if (!platform::fileExists(path))
        return;
    // A file that cannot be read or decoded is not caught here: it goes to the general error report.
    const SettingsContent content = parseSettingsFile(platform::readLines(path));
    if (content.startHour)
        CbStartH->setCurrentIndex(*content.startHour);
    if (content.stopHour)
        CbStopH->setCurrentIndex(*content.stopHour);
    if (content.corrupt) {
        DataClear();
        dialogs().information(window(), QStringLiteral("MORVEL.TXTは破損しています"));
        return;
    }
    for (size_t i = 0; i < SettingsEdits.size(); ++i)
        SettingsEdits[i]->setText(content.items[i]);
    for (size_t i = 0; i < SettingsCb.size(); ++i)
        SettingsCb[i]->setChecked(content.week[i]);
}

} // namespace moravel::settings
