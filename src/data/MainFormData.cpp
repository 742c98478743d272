// The main window's day files: the item page, the header checks with their messages, the error
// state and its full reset, and the loading of a day or a period into the level arrays.
#include "app/MainForm.h"

#include "common/Checked.h"
#include "common/DateText.h"
#include "common/Errors.h"
#include "common/Items.h"
#include "data/Catalogue.h"
#include "data/DataViewForm.h"
#include "data/DayHeader.h"
#include "data/Gathering.h"
#include "data/Loading.h"
#include "graph/GraphArea.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/TextFile.h"
#include "platform/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

using moravel::platform::dialogs;
using moravel::platform::make;
using moravel::platform::makeLabel;
using moravel::platform::makePanel;
using moravel::platform::setPixelFont;

namespace {

QLineEdit* itemEdit(QWidget* page, const char* name, int x, int y, int width) {
    auto* e = make<QLineEdit>(page, name, QRect(x, y, width, 32));
    e->setReadOnly(true);
    setPixelFont(e, 16);
    return e;
}

} // namespace

void TFmMain::BuildItemPage() {
    QWidget* page = TabItem1;
    auto label = [&](const char* name, const char* text, int x, int y, int width = 180) {
        return makeLabel(page, name, QString::fromUtf8(text), QRect(x, y, width, 32), 16);
    };
    label("LbItemTarget", "１．現場名　　　　  ：", 24, 38);
    EdMeasTarget = itemEdit(page, "EdMeasTarget", 208, 38, 267);
    label("LbItemSpot", "２．測定場所　　　  ：", 24, 104);
    EdMeasSpot = itemEdit(page, "EdMeasSpot", 208, 104, 267);
    label("LbItemPosition", "３．測定位置　　　  ：", 24, 170);
    EdMeasPositionS = itemEdit(page, "EdMeasPositionS", 208, 170, 267);
    label("LbItemRegulationS", "４．規制基準・騒音Ｓ：", 24, 238);
    EdRegulationS = itemEdit(page, "EdRegulationS", 208, 238, 139);
    label("LbItemReferenceS", "基準値", 352, 238, 52);
    EdReferenceS = itemEdit(page, "EdReferenceS", 404, 238, 41);
    label("LbItemUnitS", "dB(A)", 448, 238, 60);
    label("LbItemRegulationV", "　　　　　　・振動Ｖ：", 24, 306);
    EdRegulationV = itemEdit(page, "EdRegulationV", 208, 306, 139);
    label("LbItemReferenceV", "基準値", 352, 306, 52);
    EdReferenceV = itemEdit(page, "EdReferenceV", 404, 306, 41);
    label("LbItemUnitV", "dB", 448, 306, 60);
    label("LbItemNotices", "５．特記事項　　　  ：", 24, 374);
    MmNotices = make<QPlainTextEdit>(page, "MmNotices", QRect(208, 374, 265, 64));
    MmNotices->setReadOnly(true);
    MmNotices->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setPixelFont(MmNotices, 16);
    label("LbItemDate", "６．測定期間：", 512, 32, 130);
    EdDate = itemEdit(page, "EdDate", 640, 32, 237);
    label("LbItemInstitution", "７．測定機関：", 512, 102);
    EdMeasInstitution = itemEdit(page, "EdMeasInstitution", 640, 102, 237);
    label("LbItemName", "８．測定者　：", 512, 170);
    EdMeasName = itemEdit(page, "EdMeasName", 640, 170, 237);
    label("LbItemStart", "９．LED起動時間　：", 512, 238, 170);
    EdMeasStart = itemEdit(page, "EdMeasStart", 680, 238, 197);
    label("LbItemStop", "１０．LED停止時間：", 512, 306, 170);
    EdMeasStop = itemEdit(page, "EdMeasStop", 680, 306, 197);
    label("LbItemWeek", "１１．施工曜日：", 512, 374, 140);
    QWidget* week = makePanel(page, "PnWeek", QRect(656, 374, 221, 53),
                              QStringLiteral("#PnWeek { background: #2a3b4b; border: 1px solid #5d7185; }"));
    for (int i = 0; i < 7; ++i) {
        makeLabel(week, "", moravel::weekdayLetter(i), QRect(24 + 24 * i, 6, 18, 18), 15);
        auto* box = make<QCheckBox>(week, "", QRect(28 + 24 * i, 26, 18, 18));
        box->setObjectName(QStringLiteral("Cb%1").arg(i + 1));
        // The boxes show the day file's flags; the mouse does not change them.
        box->setAttribute(Qt::WA_TransparentForMouseEvents, true);
        box->setFocusPolicy(Qt::NoFocus);
        Cb[static_cast<size_t>(i)] = box;
    }
    EdMeasPositionV = itemEdit(page, "EdMeasPositionV", 208, 440, 267);
    EdMeasPositionV->hide();
    QWidget* dateBar = makePanel(page, "PnDateBar", QRect(24, 470, 853, 30));
    dateBar->hide();
    LbDate = makeLabel(dateBar, "LbDate", QString(), QRect(0, 0, 853, 30), 20, Qt::AlignCenter);
}

// ---- day files and the item page ----

QString TFmMain::SelectedStem() const {
    return moravel::entryAt(DateNumList, CbDateList->currentIndex(), "日付一覧");
}

void TFmMain::SetEditArrayText(int index, const QString& text) {
    if (index == moravel::Notices) {
        MmNotices->setPlainText(text);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(EditArray[static_cast<size_t>(index)]))
        edit->setText(text);
}

QString TFmMain::EditArrayText(int index) const {
    if (index == moravel::Notices)
        return MmNotices->toPlainText();
    if (auto* edit = qobject_cast<QLineEdit*>(EditArray[static_cast<size_t>(index)]))
        return edit->text();
    return QString();
}

moravel::data::ItemPage TFmMain::ItemPageNow() const {
    moravel::data::ItemPage page;
    for (int i = 0; i < moravel::ItemCount; ++i)
        page.items[static_cast<size_t>(i)] = EditArrayText(i);
    page.date = EdDate->text();
    page.ledStart = EdMeasStart->text();
    page.ledStop = EdMeasStop->text();
    for (size_t i = 0; i < 7; ++i)
        page.week[i] = WeekArray[i]->isChecked();
    return page;
}

moravel::data::Selection TFmMain::SelectionNow() const {
    moravel::data::Selection s;
    s.directory = EdSelectDir->text();
    s.catalogue = DateNumList;
    s.monthMode = RbDateMMode->isChecked();
    s.day = CbDateList->currentIndex();
    s.first = CbDateListStart->currentIndex();
    s.last = CbDateListStop->currentIndex();
    s.window = moravel::data::TimeWindow::fromHoursMinutes(
        moravel::toInt(CbDataStartH->currentText()), moravel::toInt(CbDataStartM->currentText()),
        moravel::toInt(CbDataStopH->currentText()), moravel::toInt(CbDataStopM->currentText()));
    return s;
}

void TFmMain::WeekChangeToStr(const QString& line) {
    const auto week = moravel::data::parseWeekLine(line);
    if (!week) {
        errorFlag = true;
        return;
    }
    ShowWeek(*week);
    errorFlag = false;
}

void TFmMain::ShowWeek(const std::array<bool, 7>& week) {
    for (size_t i = 0; i < 7; ++i)
        WeekArray[i]->setChecked(week[i]);
}

void TFmMain::ShowHeader(const moravel::data::HeaderView& header) {
    for (int i = 0; i < moravel::ItemCount; ++i)
        SetEditArrayText(i, header.items[static_cast<size_t>(i)]);
    ShowWeek(header.week);
    EdMeasStart->setText(header.start);
    EdMeasStop->setText(header.stop);
    EdDate->setText(header.date);
    if (!header.dayText.isEmpty()) {
        LbDate->setText(header.dayText);
        if (FmGraphArea)
            FmGraphArea->LbDate->setText(header.dayText);
        if (FmDataView)
            FmDataView->LbDate->setText(header.dayText);
    }
    if (!header.title.isEmpty())
        setWindowTitle(header.title);
}

void TFmMain::InitDataView() {
    const moravel::data::HeaderResult r =
        moravel::data::initDataView(errorFlag, SelectionNow(), LAC_Data, LVC_Data);
    if (r.header) {
        ShowHeader(*r.header);
        errorFlag = false;
    }
    for (const QString& m : r.messages)
        dialogs().information(this, m);
    if (r.reset)
        DataResetAll();
    if (r.settingsCopied)
        TXTDataView();
}

void TFmMain::TXTDataView() {
    for (int i : {moravel::MeasTarget, moravel::MeasSpot, moravel::MeasPositionS, moravel::RegulationS,
                  moravel::RegulationV, moravel::Notices, moravel::MeasInstitution, moravel::MeasName})
        SetEditArrayText(i, SettingsEdits[static_cast<size_t>(i)]->text());
}

void TFmMain::InitDataReset() {
    for (int i = 0; i < moravel::ItemCount; ++i)
        if (i != moravel::Notices)
            SetEditArrayText(i, QString());
    MmNotices->clear();
    for (QCheckBox* box : WeekArray)
        box->setChecked(false);
    EdMeasStart->clear();
    EdMeasStop->clear();
    EdDate->clear();
    LbDate->clear();
    if (FmGraphArea)
        FmGraphArea->LbDate->clear();
    setWindowTitle(QStringLiteral("もらべるプラス"));
}

void TFmMain::DataResetAll() {
    errorFlag = true;
    SetDataButtonsEnabled(false);
    InitDataReset();
    GraphReset();
    DataGridReset();
    ComplianceReset();
}

void TFmMain::ShowDataError() {
    dialogs().information(this, moravel::data::corruptDataMessage());
}

// ---- loading and the level arrays ----

void TFmMain::CbDataStartHChange() {
    DataView();
}

bool TFmMain::ApplyLoad(moravel::data::LoadResult&& result) {
    static_cast<moravel::data::CardData&>(*this) = std::move(result.data);
    ComplianceDays = result.ok ? std::move(result.days) : QList<moravel::data::DayRecord>();
    if (result.header) {
        ShowHeader(*result.header);
        TXTDataView();
    }
    for (const QString& m : std::as_const(result.messages))
        dialogs().information(this, m);
    if (!result.ok) {
        DataResetAll();
        return false;
    }
    errorFlag = false;
    return true;
}

void TFmMain::DataView() {
    if (CbDateList->count() == 0)
        return;
    if (RbDateDMode->isChecked()) {
        PlaceDayPanels(true);
        LoGraphD->show();
        LoTableD->show();
        LoGraphM->hide();
        LoTableM->hide();
        CbDataStartM->setEnabled(true);
        CbDataStopM->setEnabled(true);
        if (errorFlag)
            return;
        if (ApplyLoad(moravel::data::loadDay(SelectionNow(), *this)))
            RadioGroupChange();
        return;
    }

    PlaceDayPanels(false);
    LoGraphD->hide();
    LoTableD->hide();
    LoGraphM->show();
    LoTableM->show();
    // A minute of "30" set back to "00" here reloads the period from inside this load.
    CbDataStartM->setCurrentIndex(0);
    CbDataStopM->setCurrentIndex(0);
    CbDataStartM->setEnabled(false);
    CbDataStopM->setEnabled(false);
    if (errorFlag) {
        moravel::data::clearPeriodLists(*this);
        DataResetAll();
        ShowDataError();
        return;
    }
    if (!ApplyLoad(moravel::data::loadPeriod(SelectionNow(), *this)))
        return;
    // The refresh draws the graphs of the period; drawing them again would give the same pixels.
    const int draws = m_graphDraws;
    RadioGroupChange();
    if (m_graphDraws == draws)
        GraphDraw();
}
