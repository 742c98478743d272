// The main window's data: the item page and the error state with its full reset, the loading of a
// day or a period, the central refresh of tables, graphs and compliance, and what the report, the
// conversion and the settings page take from the window.
#include "app/MainForm.h"

#include "common/Checked.h"
#include "common/DateText.h"
#include "common/Errors.h"
#include "common/LevelStat.h"
#include "common/Text.h"
#include "data/CompliancePage.h"
#include "data/DataViewForm.h"
#include "data/GridModel.h"
#include "data/ItemsPage.h"
#include "data/TablesPage.h"
#include "export/CSVConvert.h"
#include "export/Csv.h"
#include "graph/GraphArea.h"
#include "graph/GraphPage.h"
#include "graph/TimeHistoryPage.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Widgets.h"
#include "report/PrintForm.h"

#include "report/ReportPage.h"
#include "settings/MeasItemSettings.h"
#include "settings/SettingsPage.h"
#include <QDir>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using moravel::platform::dialogs;

// ---- day files and the item page ----

moravel::data::ItemPage TFmMain::ItemPageNow() const {
    return TabItem1->ItemPageNow();
}

moravel::data::Selection TFmMain::SelectionNow() const {
    moravel::data::Selection s;
    s.directory = EdSelectDir->text();
    s.catalogue = DateNumList;
    s.monthMode = RbDateMMode->isChecked();
    s.day = CbDateList->currentIndex();
    s.first = CbDateListStart->currentIndex();
    s.last = CbDateListStop->currentIndex();
    auto number = [](const QComboBox* c) {
        int value = 0;
        return moravel::tryToInt(c->currentText(), value) ? value : 0;
    };
    s.window = moravel::data::TimeWindow::fromHoursMinutes(number(CbDataStartH), number(CbDataStartM),
                                                           number(CbDataStopH), number(CbDataStopM));
    return s;
}

moravel::data::DisplayChoices TFmMain::ChoicesNow() const {
    moravel::data::DisplayChoices c;
    c.selection = SelectionNow();
    c.dateTexts = moravel::platform::comboItems(CbDateListStart);
    c.lines = TabItem2->RbSS->isChecked();
    c.sStat = CbSModeIndex;
    c.vStat = CbVModeIndex;
    c.sStatText.reset();
    c.vStatText.reset();
    if (TabItem2->CbSMode->currentIndex() >= 0)
        c.sStatText = TabItem2->CbSMode->currentText();
    if (TabItem2->CbVMode->currentIndex() >= 0)
        c.vStatText = TabItem2->CbVMode->currentText();
    c.sSeries = TabItem2->SeriesList(0);
    c.vSeries = TabItem2->SeriesList(1);
    c.sColumns = TabItem3->Columns(0);
    c.vColumns = TabItem3->Columns(1);
    return c;
}

void TFmMain::ShowHeader(const moravel::data::HeaderView& header) {
    TabItem1->ShowHeader(header);
    if (!header.dayText.isEmpty()) {
        if (FmGraphArea)
            FmGraphArea->showDate(header.dayText);
        if (FmDataView)
            FmDataView->showDate(header.dayText);
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
    TabItem1->ShowSettingsTexts(TabItem4->Texts());
}

void TFmMain::InitDataReset() {
    TabItem1->Clear();
    if (FmGraphArea)
        FmGraphArea->showDate(QString());
    setWindowTitle(moravel::appName() + QStringLiteral("プラス"));
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

// ---- loading ----

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
        ShowModeLayouts(false);
        CbDataStartM->setEnabled(true);
        CbDataStopM->setEnabled(true);
        if (errorFlag)
            return;
        if (ApplyLoad(moravel::data::loadDay(SelectionNow(), *this)))
            RadioGroupChange();
        ShowTimeHistory();
        return;
    }

    PlaceDayPanels(false);
    ShowModeLayouts(true);
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
    const bool loaded = ApplyLoad(moravel::data::loadPeriod(SelectionNow(), *this));
    ShowTimeHistory();
    if (!loaded)
        return;
    // The refresh draws the graphs of the period; drawing them again would give the same pixels.
    const int draws = m_graphDraws;
    RadioGroupChange();
    if (m_graphDraws == draws)
        GraphDraw();
}

void TFmMain::ShowTimeHistory() {
    if (errorFlag || DateNumList.isEmpty()) {
        TabItem6->clear(QStringLiteral("データを読み込めなかったため、生データを表示しません。"));
        return;
    }
    const moravel::data::Selection selection = SelectionNow();
    const int first = selection.monthMode ? selection.first : selection.day;
    const int last = selection.monthMode ? std::max(selection.first, selection.last) : selection.day;
    if (first < 0 || last >= DateNumList.size()) {
        TabItem6->clear(QStringLiteral("日を選ぶと、その日の生データ（毎秒の値）を表示します。"));
        return;
    }
    // The page reads the seconds itself when it is shown: here it only learns the days.
    moravel::graph::TimeHistorySource source;
    source.card = QDir::fromNativeSeparators(EdSelectDir->text());
    source.period = selection.monthMode;
    for (int i = first; i <= last; ++i) {
        source.stems.append(DateNumList[i]);
        source.dayTexts.append(selection.text(i));
    }
    source.noiseReference = TabItem1->EdReferenceS->text().toInt();
    source.vibrationReference = TabItem1->EdReferenceV->text().toInt();
    TabItem6->setSource(source);
}

void TFmMain::ShowEvent(const QString& stem, int first, int last) {
    // Some context on either side: four times the event, at least two minutes.
    const int length = std::max(120, 4 * (last - first));
    const int middle = (first + last) / 2;
    moravel::graph::TimeView view = moravel::graph::zoomed(
        moravel::graph::TimeView{}, double(length) / moravel::data::SecondsPerDay, middle);
    TabControl1->setCurrentWidget(TabItem6);
    TabItem6->showAt(stem, view, moravel::graph::TimeView{first, last});
}

void TFmMain::BtEventsCsvClick() {
    if (ComplianceDays.isEmpty())
        return;
    const auto dir = dialogs().chooseDirectory(this, QStringLiteral("ディレクトリ指定"), QString());
    if (!dir)
        return;
    const QString first = DateNumToString(ComplianceDays.first().stem);
    const QString last = DateNumToString(ComplianceDays.last().stem);
    const QString name = QStringLiteral("イベント_") + first + (first == last ? QString() : u'_' + last) +
                         QStringLiteral(".csv");
    const QString path = moravel::platform::withSeparator(*dir) + name;
    if (moravel::platform::fileExists(path) &&
        dialogs().askYesNoCancel(this, moravel::platform::overwriteQuestion(path)) !=
            moravel::platform::Answer::Yes)
        return;
    // A failed write is not caught here: it goes to the general error report.
    moravel::platform::writeFileAtomically(path, moravel::csv::eventsCsv(TabItem5->EventsNow()));
    dialogs().information(this, QStringLiteral("保存完了"));
}

// ---- tables and the central refresh ----

void TFmMain::DataGridInit() {
    TabItem3->DataGridInit();
}

void TFmMain::DataGridReset() {
    TabItem3->DataGridReset();
}

void TFmMain::RadioGroupChange() {
    ++RefreshCount;
    if (errorFlag)
        return;
    try {
        // Intended: the tables follow the table window's channel choice, not this window's; with
        // 振動 chosen there they keep what they show.
        if (FmDataView && FmDataView->RbS->isChecked()) {
            const moravel::data::DisplayChoices choices = ChoicesNow();
            // The tables change once, at the end of their refresh (or where an error ends it).
            moravel::data::GridModel::Batch batch(
                {TabItem3->NoiseDayGrid, TabItem3->VibrationDayGrid, TabItem3->MonthGrid, FmDataView->Grid});
            if (!choices.monthMode()) {
                TabItem3->Show(*this, choices);
                FmDataView->StringGridInitDay();
            } else {
                // The table window's month cells before the refresh, and again over the intervals it
                // empties, once it got to the end.
                FmDataView->StringGridInitMonth();
                TabItem3->Show(*this, choices);
                FmDataView->StringGridInitMonth();
            }
        }
        if (!LA_List[0].isEmpty())
            GraphDraw();
        ComplianceRefresh();
    } catch (const std::exception&) {
        ShowDataError();
        DataResetAll();
        errorFlag = true;
    }
}

void TFmMain::CheckBoxClickTable() {
    RadioGroupChange();
}

void TFmMain::CheckBoxClickTable2() {
    RadioGroupChange();
}

void TFmMain::Button9Click() {
    TabItem3->Button9Click();
}

void TFmMain::Button10Click() {
    TabItem3->Button10Click();
}

void TFmMain::Button11Click() {
    TabItem3->Button11Click();
}

void TFmMain::Button12Click() {
    TabItem3->Button12Click();
}

void TFmMain::BtShowDataViewClick() {
    if (!FmDataView)
        return;
    FmDataView->show();
    FmDataView->raise();
    RadioGroupChange();
}

// ---- graphs ----

void TFmMain::ModeComboInit() {
    TabItem2->ModeComboInit();
}

void TFmMain::GraphReset() {
    TabItem2->GraphReset(ChoicesNow());
}

void TFmMain::GraphDraw() {
    if (errorFlag)
        return;
    try {
        const moravel::data::DisplayChoices choices = ChoicesNow();
        const int sReference = TabItem1->Reference(0);
        const int vReference = TabItem1->Reference(1);
        TabItem2->Draw(*this, choices, sReference, vReference);
        if (FmGraphArea && FmGraphArea->isVisible())
            TabItem2->DrawPair(FmGraphArea->ImSGraph, FmGraphArea->ImVGraph, *this, choices, sReference,
                               vReference);
        ++m_graphDraws;
    } catch (const std::exception&) {
        ShowDataError();
        DataResetAll();
    }
}

void TFmMain::RbSBChange() {
    TabItem2->ShowForm();
    DataView();
}

void TFmMain::CbSModeChange() {
    if (errorFlag)
        return;
    CbSModeIndex = TabItem2->CbSMode->currentIndex();
    TabItem3->LbSMode->setText(TabItem2->CbSMode->currentText());
    RadioGroupChange();
}

void TFmMain::CbVModeChange() {
    if (errorFlag)
        return;
    CbVModeIndex = moravel::vibrationComboToStat(TabItem2->CbVMode->currentIndex());
    TabItem3->LbVMode->setText(TabItem2->CbVMode->currentText());
    RadioGroupChange();
}

void TFmMain::GraphAreaSModeChange(int itemIndex) {
    if (errorFlag)
        return;
    CbSModeIndex = itemIndex;
    RadioGroupChange();
}

void TFmMain::GraphAreaVModeChange(int itemIndex) {
    if (errorFlag)
        return;
    CbVModeIndex = moravel::vibrationComboToStat(itemIndex);
    RadioGroupChange();
}

void TFmMain::CheckBoxClick() {
    RadioGroupChange();
}

void TFmMain::CheckBoxClick2() {
    RadioGroupChange();
}

void TFmMain::Button1Click() {
    TabItem2->Button1Click();
}

void TFmMain::Button2Click() {
    TabItem2->Button2Click();
}

void TFmMain::Button3Click() {
    TabItem2->Button3Click();
}

void TFmMain::Button4Click() {
    TabItem2->Button4Click();
}

void TFmMain::Button5Click() {
    TabItem2->Button5Click();
}

void TFmMain::Button6Click() {
    TabItem2->Button6Click();
}

void TFmMain::BtMModeSClick() {
    TabItem2->BtMModeSClick();
}

void TFmMain::BtMModeVClick() {
    TabItem2->BtMModeVClick();
}

void TFmMain::BtShowGraphClick() {
    FmGraphArea->show();
    FmGraphArea->raise();
}

// ---- the compliance page ----

moravel::data::Compliance TFmMain::ComplianceNow() const {
    return TabItem5->ComplianceNow();
}

void TFmMain::ComplianceRefresh() {
    TabItem5->Show(ComplianceDays, ChoicesNow());
}

void TFmMain::ComplianceReset() {
    TabItem5->Clear();
}

void TFmMain::BtSummaryCsvClick() {
    if (ComplianceDays.isEmpty())
        return;
    const moravel::data::Compliance compliance = ComplianceNow();
    const auto dir = dialogs().chooseDirectory(this, QStringLiteral("ディレクトリ指定"), QString());
    if (!dir)
        return;
    const QString first = DateNumToString(ComplianceDays.first().stem);
    const QString last = DateNumToString(ComplianceDays.last().stem);
    const QString name =
        QStringLiteral("集計_") + first + (first == last ? QString() : u'_' + last) + QStringLiteral(".csv");
    const QString path = moravel::platform::withSeparator(*dir) + name;
    if (moravel::platform::fileExists(path) &&
        dialogs().askYesNoCancel(this, moravel::platform::overwriteQuestion(path)) !=
            moravel::platform::Answer::Yes)
        return;
    // A failed write is not caught here: it goes to the general error report.
    moravel::platform::writeFileAtomically(path, moravel::csv::complianceCsv(compliance));
    dialogs().information(this, QStringLiteral("保存完了"));
}

// ---- device settings page ----

void TFmMain::BtRegisterClick() {
    if (FmMeasItemSettings)
        FmMeasItemSettings->BtRegisterClick();
}

void TFmMain::BtCancellClick() {
    if (FmMeasItemSettings)
        FmMeasItemSettings->DataInit();
}

// ---- export and report ----

void TFmMain::BtCSVConvertClick() {
    if (!FmCSVConvert)
        return;
    // Modal: the other windows take no input while it is open.
    FmCSVConvert->show();
    FmCSVConvert->raise();
    FmCSVConvert->activateWindow();
}

moravel::csv::ConversionRequest TFmMain::ExportInputsNow() const {
    return moravel::csv::conversionRequest(ChoicesNow(), ItemPageNow(), *this);
}

void TFmMain::ShowPrintWindow(bool forPrinting, int printMode) {
    if (!FmPrint)
        return;
    FmPrint->PPrint->setVisible(forPrinting);
    FmPrint->PSave->setVisible(!forPrinting);
    FmPrint->PrintMode = printMode;
    if (FmPrint->isVisible()) {
        // Already open: compose the page again from what the main window shows now.
        FmPrint->FormShow();
    } else {
        moravel::platform::placeOverOwner(FmPrint, this);
        FmPrint->show();
    }
    FmPrint->raise();
    FmPrint->activateWindow();
}

void TFmMain::BtPrintOutClick() {
    ShowPrintWindow(true, moravel::report::FullReport);
}

void TFmMain::BtPrintGraphClick() {
    ShowPrintWindow(true, moravel::report::GraphReport);
}

void TFmMain::BtPrintDataViewClick() {
    ShowPrintWindow(true, moravel::report::TableReport);
}

void TFmMain::BtGraphSaveClick() {
    ShowPrintWindow(false, moravel::report::FullReport);
}

moravel::report::ReportInputs TFmMain::ReportInputsNow() const {
    return {ItemPageNow(), ChoicesNow(), this};
}
