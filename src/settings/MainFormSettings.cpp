// The main window's page "測定項目設定": the item edits the device takes its settings from.
#include "app/MainForm.h"

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
    auto label = [&](const char* name, const char* text, int x, int y, int width = 120) {
        return makeLabel(page, name, QString::fromUtf8(text), QRect(x, y, width, 35), 16,
                         Qt::AlignRight | Qt::AlignVCenter);
    };
    auto edit = [&](const char* name, int x, int y, int width) {
        auto* e = make<QLineEdit>(page, name, QRect(x, y, width, 35));
        setPixelFont(e, 16);
        return e;
    };
    label("LbMeasTarget", "現場名", 24, 40);
    edit("SettingsEdMeasTarget", 152, 40, 289);
    label("LbMeasSpot", "測定場所", 24, 112);
    edit("SettingsEdMeasSpot", 152, 112, 289);
    label("LbMeasPositionS", "測定位置", 24, 184);
    edit("SettingsEdMeasPositionS", 152, 184, 289);
    label("LbRegulationS", "規制基準・騒音S", 24, 256);
    edit("SettingsEdRegulationS", 152, 256, 121);
    label("LbReferenceS", "騒音基準値", 276, 256, 82);
    edit("SettingsEdReferenceS", 362, 256, 41)->setAlignment(Qt::AlignCenter);
    makeLabel(page, "LbReferenceSUnit", QStringLiteral("dB"), QRect(408, 256, 40, 35), 16);
    label("LbRegulationV", "・振動V", 24, 328);
    edit("SettingsEdRegulationV", 152, 328, 121);
    label("LbReferenceV", "振動基準値", 276, 328, 82);
    edit("SettingsEdReferenceV", 362, 328, 41)->setAlignment(Qt::AlignCenter);
    makeLabel(page, "LbReferenceVUnit", QStringLiteral("dB"), QRect(408, 328, 40, 35), 16);
    label("LbNotices", "特記事項", 464, 40);
    edit("SettingsEdNotices", 592, 40, 273);
    label("LbMeasInstitution", "測定機関", 464, 112);
    edit("SettingsEdMeasInstitution", 592, 112, 273);
    label("LbMeasName", "測定者", 464, 184);
    edit("SettingsEdMeasName", 592, 184, 273);
    BtRegister = makeButton(page, "BtRegister", QStringLiteral("登録"), QRect(688, 438, 120, 50), 20);
    BtCancell = makeButton(page, "BtCancell", QStringLiteral("戻す"), QRect(824, 438, 120, 50), 20);

    // Not changed by the user: they carry the file's weekday flags and hours from the last read into
    // the next write.
    QWidget* hidden = make<QWidget>(page, "PnSettingsHidden", QRect(464, 256, 420, 170));
    hidden->hide();
    label("LbMeasPositionV", "・振動V", 0, 0)->setParent(hidden);
    edit("SettingsEdMeasPositionV", 0, 0, 121)->setParent(hidden);
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
    static const char* const letters[7] = {"月", "火", "水", "木", "金", "土", "日"};
    for (int i = 0; i < 7; ++i) {
        makeLabel(hidden, "", QString::fromUtf8(letters[i]), QRect(100 + 24 * i, 100, 18, 18), 14);
        auto* box = make<QCheckBox>(hidden, "", QRect(100 + 24 * i, 122, 18, 18));
        box->setObjectName(QStringLiteral("SettingsCb%1").arg(i + 1));
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
