#pragma once

#include "data/Choices.h"
#include "data/Compliance.h"
#include "data/ItemPage.h"
#include "data/Levels.h"
#include "data/Loading.h"
#include "export/Conversion.h"

#include <QList>
#include <QStringList>
#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace moravel::data {
class ItemsPage;
class TablesPage;
class CompliancePage;
} // namespace moravel::data
namespace moravel::graph {
class GraphPage;
class TimeHistoryPage;
} // namespace moravel::graph
namespace moravel::settings {
class SettingsPage;
}
namespace moravel::report {
struct ReportInputs;
}
class TFmCSVConvert;
class TFmMeasItemSettings;
class TFmPrint;
class TFmDataView;
class TFmGraphArea;

// The main window: owns the card directory, the catalogue of measured days, the loaded day files,
// the level arrays (its CardData) and the error state for the whole run. It holds the date panel,
// the side menu and the tab control with one page widget per tab; its handlers load through the
// core and hand the data and the user's choices to the pages and the secondary windows.
class TFmMain : public QWidget, public moravel::data::CardData {
    Q_OBJECT

public:
    TFmMain();
    ~TFmMain() override;

    // The secondary windows, set at start-up once they exist (the main window is created first and
    // must do without them until then).
    TFmCSVConvert* FmCSVConvert = nullptr;
    TFmMeasItemSettings* FmMeasItemSettings = nullptr;
    TFmPrint* FmPrint = nullptr;
    TFmDataView* FmDataView = nullptr;
    TFmGraphArea* FmGraphArea = nullptr;
    // Connects the secondary windows' requests back to this window.
    void AttachWindows();

    // ---- state ----
    bool errorFlag = false;
    int CbSModeIndex = 0;
    int CbVModeIndex = 0;
    QStringList DateNumList;
    // The days of the last load, for the compliance page (empty after a failure).
    QList<moravel::data::DayRecord> ComplianceDays;
    int RefreshCount = 0; // how many times the central refresh ran; for tests and measurements

    // ---- start-up and window ----
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormDestroy();
    void BtMenuOpenClick();
    void BtSampleCardClick();
    void BtMenuCloseClick();
    void DataListCreate();
    void ModeComboInit();

    // ---- card directory and catalogue ----
    void BtSelectDirClick();
    // Opens a card directory given when the program starts, as choosing it in the picker does; a file
    // (a day file chosen with "Open with") opens its folder. A path that names nothing or cannot be
    // read is said as the picker says it, and the window stays empty. Further directories given
    // (a file manager passes all it has selected) are named in a box and not opened.
    void OpenCard(const QString& folder, const QStringList& others = {});
    void OpenOneCard(const QString& folder);
    void UseCard(const QString& folder);
    void DriveDataListCheck();
    static QString DateNumToString(const QString& stem);
    void DriveListCheck();
    void CbDateListChange();
    void BtDateUpClick();
    void BtDateDownClick();
    void CbDateListStartChange();
    void CbDateListStopChange();
    void CbDateDModeClick();
    void CbDateMModeChange();
    void SetDataButtonsEnabled(bool enabled);

    // ---- capacity and version ----
    void BtCardCheckClick();
    void BtVersionCheckClick();
    static QString VersionGet();

    // ---- day files and the item page ----
    void InitDataView();
    void TXTDataView();
    void InitDataReset();
    void DataResetAll();
    void ShowHeader(const moravel::data::HeaderView& header);
    // What the item page shows, as the report and the period CSV take it.
    moravel::data::ItemPage ItemPageNow() const;

    // ---- loading ----
    void DataView();
    // The selection as the core's loads take it (a time combo without an hour or minute, before the
    // window is set up, counts as 0).
    moravel::data::Selection SelectionNow() const;
    // The selection and every choice of the pages, read from the controls.
    moravel::data::DisplayChoices ChoicesNow() const;
    // Takes the data of a load, shows its header and messages, and runs the full reset where it
    // failed. Returns whether it succeeded.
    bool ApplyLoad(moravel::data::LoadResult&& result);
    // The raw seconds of the day shown (in month mode the period's first day) on the page 時間変化.
    void ShowTimeHistory();
    // The time history page at an event of the compliance page: its day, a view around it, the event
    // marked.
    void ShowEvent(const QString& stem, int first, int last);
    void BtEventsCsvClick();
    void CbDataStartHChange();
    void ShowDataError(); // "データは破損しています。"

    // ---- tables and the central refresh ----
    void RadioGroupChange();
    void DataGridInit();
    void DataGridReset();
    void CheckBoxClickTable();
    void CheckBoxClickTable2();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void BtShowDataViewClick();

    // ---- graphs ----
    void GraphReset();
    void GraphDraw();
    void RbSBChange();
    void CbSModeChange();
    void CbVModeChange();
    void CheckBoxClick();
    void CheckBoxClick2();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void BtMModeSClick();
    void BtMModeVClick();
    void BtShowGraphClick();
    void GraphAreaSModeChange(int itemIndex);
    void GraphAreaVModeChange(int itemIndex);

    // ---- the compliance page ----
    // The compliance of the loaded days at the levels and window chosen now, on its page.
    void ComplianceRefresh();
    void ComplianceReset();
    void BtSummaryCsvClick();
    moravel::data::Compliance ComplianceNow() const;

    // ---- device settings page ----
    void BtRegisterClick();
    void BtCancellClick();

    // ---- export and report ----
    void BtCSVConvertClick();
    void BtPrintOutClick();
    void BtPrintGraphClick();
    void BtPrintDataViewClick();
    void BtGraphSaveClick();
    // Sets up the print window for printing or for saving, with the sections of `printMode`, and
    // shows it.
    void ShowPrintWindow(bool forPrinting, int printMode);
    moravel::report::ReportInputs ReportInputsNow() const;
    moravel::csv::ConversionRequest ExportInputsNow() const;

    // ---- controls ----
    // top date panel
    QWidget* PnDate = nullptr;
    QRadioButton* RbDateDMode = nullptr;
    QRadioButton* RbDateMMode = nullptr;
    QWidget* PnDMode = nullptr;
    QWidget* PnMMode = nullptr;
    QPushButton* BtDateUp = nullptr;
    QComboBox* CbDateList = nullptr;
    QPushButton* BtDateDown = nullptr;
    QComboBox* CbDateListStart = nullptr;
    QComboBox* CbDateListStop = nullptr;
    QWidget* PnTimeWindow = nullptr;
    QComboBox* CbDataStartH = nullptr;
    QComboBox* CbDataStartM = nullptr;
    QComboBox* CbDataStopH = nullptr;
    QComboBox* CbDataStopM = nullptr;
    // tabs, one page widget each
    QTabWidget* TabControl1 = nullptr;
    moravel::data::ItemsPage* TabItem1 = nullptr;        // 測定項目情報
    moravel::graph::GraphPage* TabItem2 = nullptr;       // グラフ
    moravel::data::TablesPage* TabItem3 = nullptr;       // 数表
    moravel::settings::SettingsPage* TabItem4 = nullptr; // 測定項目設定
    moravel::data::CompliancePage* TabItem5 = nullptr;   // 集計
    moravel::graph::TimeHistoryPage* TabItem6 = nullptr; // 時間変化
    QWidget* TabItem7 = nullptr;                         // never shown
    // side menu
    QPushButton* BtMenuOpen = nullptr;
    QWidget* PnControlPanel = nullptr;
    QPushButton* BtMenuClose = nullptr;
    QPushButton* BtSampleCard = nullptr; // サンプルカードを開く
    QLineEdit* EdSelectDir = nullptr;
    QPushButton* BtSelectDir = nullptr;
    QPushButton* BtPrintGraph = nullptr;
    QPushButton* BtPrintDataView = nullptr;
    QPushButton* BtCSVConvert = nullptr;
    QPushButton* BtCardCheck = nullptr;
    QPushButton* BtVersionCheck = nullptr;
    QComboBox* CbDriveSelect = nullptr;
    QPushButton* BtDriveListReflesh = nullptr;
    QPushButton* BtGraphSave = nullptr;
    QPushButton* BtMeasItemSettings = nullptr;
    QWidget* PnDataViewArea = nullptr;
    QRadioButton* RbS = nullptr;
    QRadioButton* RbV = nullptr;
    QPushButton* BtPrintOut = nullptr;
    QPushButton* BtShowGraph = nullptr;
    QPushButton* BtShowDataView = nullptr;
    QCheckBox* CbDayUnit = nullptr;
    QCheckBox* CbMonthUnit = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // While the side menu is open, Tab and Shift+Tab pass over the controls it covers.
    bool focusNextPrevChild(bool next) override;

private:
    void BuildTopPanel();
    void BuildSideMenu();
    void ConnectHandlers();
    void ConnectPages();
    // Places the date panel, the graph page and the table page of a mode.
    void PlaceDayPanels(bool dayMode);
    void ShowModeLayouts(bool monthMode);
    int m_graphDraws = 0; // completed GraphDraw calls
};
