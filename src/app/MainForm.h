#pragma once

#include "data/Levels.h"
#include "data/Loading.h"
#include "export/Conversion.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QStringList>
#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;

namespace moravel::graph {
class ImageView;
struct SeriesDrawing;
} // namespace moravel::graph
namespace moravel::report {
struct ReportInputs;
}
class TFmCSVConvert;
class TFmMeasItemSettings;
class TFmPrint;
class TFmDataView;
class TFmGraphArea;

// The main window: owns the card directory, the catalogue of measured days, the loaded day files,
// the level arrays (its CardData) and the error state for the whole run. Its methods are defined in
// the folder of the subsystem they belong to (MainForm*.cpp); what they do with the data is the
// core's.
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
    std::array<QString, moravel::ItemCount> NameArray;
    std::array<QWidget*, moravel::ItemCount> EditArray{}; // index 6 is null: the notices live in MmNotices
    std::array<QCheckBox*, 7> WeekArray{};
    int CbSModeIndex = 0;
    int CbVModeIndex = 0;
    QStringList DateNumList;

    // ---- start-up and window (program start-up and main window) ----
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormDestroy();
    void BtMenuOpenClick();
    void BtMenuCloseClick();
    void NameArrayInit();
    void EditArrayInit();
    void WeekArrayInit();
    void DataListCreate();
    void ModeComboInit();

    // ---- card directory and catalogue ----
    void BtSelectDirClick();
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
    void WeekChangeToStr(const QString& line);
    void TXTDataView();
    void InitDataReset();
    void DataResetAll();
    // The stem named in messages: the catalogue entry of the day selected in CbDateList.
    QString SelectedStem() const;
    void SetEditArrayText(int index, const QString& text);
    QString EditArrayText(int index) const;
    void ShowWeek(const std::array<bool, 7>& week);
    void ShowHeader(const moravel::data::HeaderView& header);
    // What the item page shows, as the report and the period CSV take it.
    moravel::data::ItemPage ItemPageNow() const;

    // ---- loading and the level arrays ----
    void DataView();
    // The selection as the core's loads take it.
    moravel::data::Selection SelectionNow() const;
    // Takes the data of a load, shows its header and messages, and runs the full reset where it
    // failed. Returns whether it succeeded.
    bool ApplyLoad(moravel::data::LoadResult&& result);
    void CbDataStartHChange();
    void ShowDataError(); // "データは破損しています。"

    // ---- tables and the central refresh ----
    void RadioGroupChange();
    void DataGridInit();
    void DataGridInitDay();
    // Both return false where a level was not a number (the cells before it are written).
    bool DataGridView(const QStringList& levels);
    bool DataGridView2(const QStringList& levels);
    void DataGridReset();
    void DataGridViewMax(const QString& text, int day);
    void DataGridViewTableMaxInit(int column);
    void DataGridViewTableMax(const QString& text, int day, int column);
    void CheckBoxClickTable();
    void CheckBoxClickTable2();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    std::array<QCheckBox*, 9> STableBoxes() const;
    std::array<QCheckBox*, 9> VTableBoxes() const;
    // The LevelStats whose boxes are checked, in LevelStat order.
    static QList<int> CheckedStats(const std::array<QCheckBox*, 9>& boxes);
    int RefreshCount = 0; // how many times the central refresh ran; for tests and measurements

    // ---- graphs ----
    void GraphAxis(QImage& bitmap, int reference);
    void GraphAxisMonth(QImage& bitmap, int reference);
    void GraphReset();
    void GraphDraw();
    void BarGraphDraw(QImage& bitmap, int channel);
    // What BarGraphDraw draws for a channel, read from the controls.
    moravel::graph::SeriesDrawing SeriesDrawingOf(int channel) const;
    // Draws levels onto a framed bitmap of the screen; touches no control.
    static void DrawLevels(QImage& bitmap, const moravel::graph::SeriesDrawing& drawing);
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
    void BtShowDataViewClick();
    std::array<QCheckBox*, 9> SSeriesBoxes() const;
    std::array<QCheckBox*, 9> VSeriesBoxes() const;
    QVector<int> SeriesList(int channel) const;
    void LayoutGraphPage();
    void GraphAreaSModeChange(int itemIndex);
    void GraphAreaVModeChange(int itemIndex);

    // ---- the compliance summary page ----
    // The days of the last load, for the summary (empty after a failure).
    QList<moravel::data::DayRecord> ComplianceDays;
    // The summary of the loaded days at the levels and window chosen now, in the page's tables.
    void ComplianceRefresh();
    void ComplianceReset();
    void ComplianceRowChange(int channel, int row);
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
    // tabs
    QTabWidget* TabControl1 = nullptr;
    QWidget* TabItem1 = nullptr; // 測定項目情報
    QWidget* TabItem2 = nullptr; // グラフ
    QWidget* TabItem3 = nullptr; // 数表
    QWidget* TabItem4 = nullptr; // 測定項目設定
    QWidget* TabItem5 = nullptr; // 集計
    QWidget* TabItem7 = nullptr; // never shown
    // side menu
    QPushButton* BtMenuOpen = nullptr;
    QWidget* PnControlPanel = nullptr;
    QPushButton* BtMenuClose = nullptr;
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
    // item page
    QLineEdit* EdMeasTarget = nullptr;
    QLineEdit* EdMeasSpot = nullptr;
    QLineEdit* EdMeasPositionS = nullptr;
    QLineEdit* EdMeasPositionV = nullptr;
    QLineEdit* EdRegulationS = nullptr;
    QLineEdit* EdRegulationV = nullptr;
    QLineEdit* EdReferenceS = nullptr;
    QLineEdit* EdReferenceV = nullptr;
    QPlainTextEdit* MmNotices = nullptr;
    QLineEdit* EdDate = nullptr;
    QLineEdit* EdMeasInstitution = nullptr;
    QLineEdit* EdMeasName = nullptr;
    QLineEdit* EdMeasStart = nullptr;
    QLineEdit* EdMeasStop = nullptr;
    std::array<QCheckBox*, 7> Cb{}; // Cb1..Cb7
    QLabel* LbDate = nullptr;
    // graph page
    QRadioButton* RbSB = nullptr;
    QRadioButton* RbSS = nullptr;
    QWidget* LoGraphD = nullptr;
    QWidget* LoGraphM = nullptr;
    QWidget* PnSGraphArea = nullptr;
    QWidget* PnVGraphArea = nullptr;
    QWidget* PnSMode = nullptr;
    QWidget* PnVMode = nullptr;
    QComboBox* CbSMode = nullptr;
    QComboBox* CbVMode = nullptr;
    QWidget* Panel8 = nullptr;
    QWidget* Panel18 = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* Button8 = nullptr;
    moravel::graph::ImageView* ImSGraph = nullptr;
    moravel::graph::ImageView* ImVGraph = nullptr;
    QWidget* Panel9 = nullptr;
    QWidget* Panel10 = nullptr;
    QPushButton* BtMModeS = nullptr;
    QPushButton* BtMModeV = nullptr;
    moravel::graph::ImageView* ImGraphMS = nullptr;
    moravel::graph::ImageView* ImGraphMV = nullptr;
    QWidget* PnMModeS = nullptr;
    QWidget* PnMModeV = nullptr;
    QCheckBox *CbLeqS = nullptr, *CbLeS = nullptr, *CbL05S = nullptr, *CbL10S = nullptr, *CbL50S = nullptr,
              *CbL90S = nullptr, *CbL95S = nullptr, *CbLminS = nullptr, *CbLmaxS = nullptr;
    QCheckBox *CbLeqV = nullptr, *CbLeV = nullptr, *CbL05V = nullptr, *CbL10V = nullptr, *CbL50V = nullptr,
              *CbL90V = nullptr, *CbL95V = nullptr, *CbLminV = nullptr, *CbLmaxV = nullptr;
    QPushButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr,
                *Button5 = nullptr, *Button6 = nullptr;
    // table page
    QWidget* LoTableD = nullptr;
    QWidget* LoTableM = nullptr;
    QLabel* LbSMode = nullptr;
    QLabel* LbVMode = nullptr;
    QTableWidget* SgDataView = nullptr;
    QTableWidget* SgDataView2 = nullptr;
    QPushButton *Button9 = nullptr, *Button10 = nullptr, *Button11 = nullptr, *Button12 = nullptr;
    QCheckBox *CbSTableLeq = nullptr, *CbSTableLe = nullptr, *CbSTableL05 = nullptr, *CbSTableL10 = nullptr,
              *CbSTableL50 = nullptr, *CbSTableL90 = nullptr, *CbSTableL95 = nullptr, *CbSTableLmin = nullptr,
              *CbSTableLmax = nullptr;
    QCheckBox *CbVTableLeq = nullptr, *CbVTableLe = nullptr, *CbVTableL05 = nullptr, *CbVTableL10 = nullptr,
              *CbVTableL50 = nullptr, *CbVTableL90 = nullptr, *CbVTableL95 = nullptr, *CbVTableLmin = nullptr,
              *CbVTableLmax = nullptr;
    QTableWidget* DataTable = nullptr;
    // settings page
    QPushButton* BtRegister = nullptr;
    QPushButton* BtCancell = nullptr;
    QComboBox* CbStartH = nullptr;
    QComboBox* CbStartM = nullptr;
    QComboBox* CbStopH = nullptr;
    QComboBox* CbStopM = nullptr;
    std::array<QLineEdit*, moravel::ItemCount>
        SettingsEdits{};                                      // SettingsEdMeasTarget ... SettingsEdReferenceV
    std::array<QLabel*, moravel::ItemCount> SettingsLabels{}; // LbMeasTarget ... LbReferenceV
    std::array<QCheckBox*, 7> SettingsCb{};                   // SettingsCb1 ... SettingsCb7
    // summary page
    QLabel* LbSummaryS = nullptr;
    QLabel* LbSummaryV = nullptr;
    QTableWidget* SgSummaryS = nullptr;
    QTableWidget* SgSummaryV = nullptr;
    QLabel* LbExceedances = nullptr;
    QTableWidget* SgExceedances = nullptr;
    QPushButton* BtSummaryCsv = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTopPanel();
    void BuildSideMenu();
    void BuildItemPage();
    void BuildGraphPage();
    void BuildTablePage();
    void BuildSettingsPage();
    void BuildCompliancePage();
    void ConnectHandlers();
    void ConnectGraphHandlers();
    void ConnectTableHandlers();
    void ConnectSettingsHandlers();
    void PlaceDayPanels(bool dayMode);
    // A fresh bitmap of a size with the frame of the current mode drawn on it. Frames are the same
    // for the same size, reference and period, so the last few drawn are kept and copied.
    QImage FramedBitmap(QSize size, int reference);
    QHash<QString, QImage> m_frames;
    void DrawPair(moravel::graph::ImageView* s, moravel::graph::ImageView* v);
    int m_graphDraws = 0; // completed GraphDraw calls
};
