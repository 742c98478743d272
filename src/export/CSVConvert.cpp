#include "export/CSVConvert.h"

#include "common/DateText.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

using moravel::platform::Answer;
using moravel::platform::dialogs;
using moravel::platform::guarded;
using moravel::platform::make;
using moravel::platform::makeButton;
using moravel::platform::makeLabel;

TFmCSVConvert::TFmCSVConvert(QWidget* parent) : QWidget(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("FmCSVConvert"));
    setWindowTitle(QStringLiteral("CSV変換保存"));
    setFixedSize(319, 123);
    setWindowModality(Qt::ApplicationModal);
    Label2 = makeLabel(this, "Label2", QStringLiteral("ファイルの保存先"), QRect(26, 16, 200, 20), 13);
    EdSaveDirectory = make<QLineEdit>(this, "EdSaveDirectory", QRect(26, 40, 223, 25));
    EdSaveDirectory->setReadOnly(true);
    BtDirSettings = makeButton(this, "BtDirSettings", QStringLiteral("..."), QRect(256, 40, 25, 25), 13);
    DModeConvert = make<QCheckBox>(this, "DModeConvert", QRect(24, 80, 153, 19));
    DModeConvert->setText(QStringLiteral("一括CSVデータ変換"));
    BtConvertStart =
        makeButton(this, "BtConvertStart", QStringLiteral("変換開始"), QRect(200, 80, 81, 25), 13);
    connect(BtDirSettings, &QPushButton::clicked, this, [this] { guarded([&] { BtDirSettingsClick(); }); });
    connect(BtConvertStart, &QPushButton::clicked, this, [this] { guarded([&] { BtConvertStartClick(); }); });
    FormCreate();
}

void TFmCSVConvert::FormCreate() {
    flag = true;
}

void TFmCSVConvert::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        guarded([&] { FormShow(); });
}

void TFmCSVConvert::FormShow() {
    DModeConvert->setVisible(true);
    DModeConvert->setChecked(false);
    if (Inputs && !Inputs().dayMode)
        DModeConvert->setVisible(false);
}

void TFmCSVConvert::BtDirSettingsClick() {
    const auto dir = dialogs().chooseDirectory(this, QStringLiteral("ディレクトリ指定"), QString());
    if (dir)
        EdSaveDirectory->setText(*dir);
}

void TFmCSVConvert::BtConvertStartClick() {
    const QString saveDirectory = EdSaveDirectory->text();
    if (saveDirectory.isEmpty()) {
        dialogs().warning(this, QStringLiteral("保存先を指定してください"));
        return;
    }
    if (dialogs().askYesNoCancel(this, saveDirectory + QStringLiteral("に変換したデータを保存します。") +
                                           QStringLiteral("\r\n") + QStringLiteral("よろしいですか？")) !=
        Answer::Yes)
        return;
    moravel::csv::ConversionRequest request = Inputs ? Inputs() : moravel::csv::ConversionRequest();
    request.saveDirectory = saveDirectory;
    request.bulk = DModeConvert->isChecked();
    moravel::csv::ConversionCallbacks callbacks;
    callbacks.mayReplace = [this](const QString& path) {
        return dialogs().askYesNoCancel(this, moravel::platform::overwriteQuestion(path)) == Answer::Yes;
    };
    callbacks.message = [this](const QString& text) { dialogs().information(this, text); };
    callbacks.progressStart = [this](int total) {
        dialogs().progressStart(this, QStringLiteral("CSV変換保存"), total);
    };
    callbacks.progressStep = [](const QString& name, int done) { dialogs().progressStep(name, done); };
    callbacks.progressFinish = [] { dialogs().progressFinish(); };
    const moravel::csv::ConversionResult result = moravel::csv::runConversion(request, callbacks);
    flag = result.flag;
    if (result.failed)
        dialogs().information(this, QStringLiteral("変換が失敗しました。"));
    if (flag) {
        dialogs().information(this, QStringLiteral("変換が完了しました。"));
        close();
    }
}
