// The main window's page "測定項目設定": the item edits the device takes its settings from.
#include "app/MainForm.h"

#include "common/DateText.h"
#include "common/Items.h"
#include "platform/Application.h"
#include "platform/Widgets.h"
#include "settings/MeasItemSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using moravel::platform::guarded;
using moravel::platform::make;
using moravel::platform::makeButton;
using moravel::platform::makeLabel;
using moravel::platform::makePanel;
using moravel::platform::setPixelFont;

void TFmMain::BuildSettingsPage() {
    QWidget* page = make<QWidget>(TabItem4, "LoSettings", QRect(0, 0, 1000, 533));
    auto edit = [&](const char* name, int x, int y, int width) {
        auto* e = make<QLineEdit>(page, name, QRect(x, y, width, 35));
        setPixelFont(e, 16);
        return e;
    };
    // The items' labels and edits, by item index.
    auto item = [&](moravel::Item i, const char* text, int labelX, int labelY, int labelWidth, int editX,
                    int editWidth) {
        const QString name = moravel::itemNames()[static_cast<size_t>(i)];
        SettingsLabels[static_cast<size_t>(i)] =
            makeLabel(page, "", QString::fromUtf8(text), QRect(labelX, labelY, labelWidth, 35), 16,
                      Qt::AlignRight | Qt::AlignVCenter);
        SettingsLabels[static_cast<size_t>(i)]->setObjectName(QStringLiteral("Lb") + name);
        QLineEdit* e = edit("", editX, labelY, editWidth);
        e->setObjectName(QStringLiteral("SettingsEd") + name);
        SettingsEdits[static_cast<size_t>(i)] = e;
        return e;
    };
    item(moravel::MeasTarget, "現場名", 24, 40, 120, 152, 289);
    item(moravel::MeasSpot, "測定場所", 24, 112, 120, 152, 289);
    item(moravel::MeasPositionS, "測定位置", 24, 184, 120, 152, 289);
    item(moravel::RegulationS, "規制基準・騒音S", 24, 256, 120, 152, 121);
    item(moravel::ReferenceS, "騒音基準値", 276, 256, 82, 362, 41)->setAlignment(Qt::AlignCenter);
    makeLabel(page, "LbReferenceSUnit", QStringLiteral("dB"), QRect(408, 256, 40, 35), 16);
    item(moravel::RegulationV, "・振動V", 24, 328, 120, 152, 121);
    item(moravel::ReferenceV, "振動基準値", 276, 328, 82, 362, 41)->setAlignment(Qt::AlignCenter);
    makeLabel(page, "LbReferenceVUnit", QStringLiteral("dB"), QRect(408, 328, 40, 35), 16);
    item(moravel::Notices, "特記事項", 464, 40, 120, 592, 273);
    item(moravel::MeasInstitution, "測定機関", 464, 112, 120, 592, 273);
    item(moravel::MeasName, "測定者", 464, 184, 120, 592, 273);
    BtRegister = makeButton(page, "BtRegister", QStringLiteral("登録"), QRect(688, 438, 120, 50), 20);
    BtCancell = makeButton(page, "BtCancell", QStringLiteral("戻す"), QRect(824, 438, 120, 50), 20);

    // Not changed by the user: they carry the file's weekday flags and hours from the last read into
    // the next write.
    QWidget* hidden = make<QWidget>(page, "PnSettingsHidden", QRect(464, 256, 420, 170));
    hidden->hide();
    item(moravel::MeasPositionV, "・振動V", 0, 0, 120, 0, 121);
    SettingsLabels[moravel::MeasPositionV]->setParent(hidden);
    SettingsEdits[moravel::MeasPositionV]->setParent(hidden);
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
        makeLabel(hidden, "", moravel::weekdayLetter(i), QRect(100 + 24 * i, 100, 18, 18), 14);
        auto* box = make<QCheckBox>(hidden, "", QRect(100 + 24 * i, 122, 18, 18));
        box->setObjectName(QStringLiteral("SettingsCb%1").arg(i + 1));
        SettingsCb[static_cast<size_t>(i)] = box;
    }
}

void TFmMain::ConnectSettingsHandlers() {
    connect(BtRegister, &QPushButton::clicked, this, [this] { guarded([&] { BtRegisterClick(); }); });
    connect(BtCancell, &QPushButton::clicked, this, [this] { guarded([&] { BtCancellClick(); }); });
}

void TFmMain::BtRegisterClick() {
    if (FmMeasItemSettings)
        FmMeasItemSettings->BtRegisterClick();
}

void TFmMain::BtCancellClick() {
    if (FmMeasItemSettings)
        FmMeasItemSettings->DataInit();
}
