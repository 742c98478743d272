// The main window shell: start-up, layout, side menu, the card directory with its catalogue of
// measured days, and the capacity and version commands.
#include "app/MainForm.h"

#include "common/DateText.h"
#include "common/Errors.h"
#include "common/Items.h"
#include "common/Text.h"
#include "data/Capacity.h"
#include "data/Catalogue.h"
#include "data/CompliancePage.h"
#include "data/DataViewForm.h"
#include "data/ItemsPage.h"
#include "data/TablesPage.h"
#include "export/CSVConvert.h"
#include "graph/GraphArea.h"
#include "graph/GraphPage.h"
#include "graph/TimeHistoryPage.h"
#include "platform/Anchors.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/Version.h"
#include "platform/Volume.h"
#include "platform/Widgets.h"
#include "report/PrintForm.h"
#include "settings/MeasItemSettings.h"
#include "settings/SettingsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>

using moravel::platform::anchor;
using moravel::platform::dialogs;
using moravel::platform::guarded;
using moravel::platform::make;
using moravel::platform::makeButton;
using moravel::platform::makeLabel;
using moravel::platform::makePanel;
using moravel::platform::setPixelFont;

namespace {

// The dark look belongs to the main window's own surfaces: the rules reach the controls in its
// panels and pages, not the boxes and pickers it owns.
QString windowStyle() {
    return QStringLiteral(R"(
TFmMain { background: #2f4254; }
#BtMenuOpen { padding: 0px; }
#TabControl1::pane { border: 1px solid #5d7185; background: #3a5064; top: -1px; }
#TabControl1 QTabBar::tab { background: #263644; color: #d9e2ea; padding: 4px 14px; border: 1px solid #5d7185; }
#TabControl1 QTabBar::tab:selected { background: #3a5064; color: white; }
#TabControl1 QTabBar::tab:selected:focus { border: 2px solid #ffb300; }
)") +
           moravel::platform::darkStyle({QStringLiteral("#PnDate"), QStringLiteral("#TabControl1"),
                                         QStringLiteral("#PnControlPanel")}) +
           // The series panels are light: dark marks there.
           QStringLiteral(R"(
#PnMModeS QCheckBox::indicator, #PnMModeV QCheckBox::indicator { border: 1px solid #2f4254; background: white; }
#PnMModeS QCheckBox::indicator:checked, #PnMModeV QCheckBox::indicator:checked { background: #1565c0; }
)");
}

} // namespace

TFmMain::TFmMain() {
    setObjectName(QStringLiteral("FmMain"));
    setWindowTitle(moravel::appName());
    setStyleSheet(windowStyle());
    setAttribute(Qt::WA_StyledBackground, true);
    resize(1020, 700);
    // The window keeps its client area within 1020..1920 x 700..1080.
    setMinimumSize(1020, 700);
    setMaximumSize(1920, 1080);

    BuildTopPanel();
    TabControl1 = make<QTabWidget>(this, "TabControl1", QRect(10, 120, 1000, 570));
    setPixelFont(TabControl1->tabBar(), 17);
    // The pages, each a widget of its subsystem, in the tabs' order. They are made inside the tab
    // control, so that the window's style sheet sizes their controls from the start.
    TabItem1 = new moravel::data::ItemsPage(TabControl1);
    TabItem2 = new moravel::graph::GraphPage(TabControl1);
    TabItem3 = new moravel::data::TablesPage(TabControl1);
    TabItem4 = new moravel::settings::SettingsPage(TabControl1);
    TabItem5 = new moravel::data::CompliancePage(TabControl1);
    TabItem6 = new moravel::graph::TimeHistoryPage(TabControl1);
    const std::array<std::pair<QWidget*, const char*>, 6> pages = {{{TabItem1, "測定項目情報"},
                                                                    {TabItem2, "グラフ"},
                                                                    {TabItem3, "数表"},
                                                                    {TabItem4, "測定項目設定"},
                                                                    {TabItem5, "集計"},
                                                                    {TabItem6, "時間変化"}}};
    for (size_t i = 0; i < pages.size(); ++i) {
        QWidget* page = pages[i].first;
        page->setObjectName(QStringLiteral("TabItem%1").arg(i + 1));
        // The window's style sheet paints the pages' ground as it would a plain widget's.
        page->setAttribute(Qt::WA_StyledBackground, true);
        TabControl1->addTab(page, QString::fromUtf8(pages[i].second));
    }
    // A fifth page that is never shown: it only carries controls that other code relies on.
    TabItem7 = make<QWidget>(this, "TabItem7", QRect(0, 0, 400, 120));
    TabItem7->hide();
    anchor(TabControl1, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
    BuildSideMenu();
    // A list drops down with at most about twenty rows (a month of dates scrolls).
    for (QComboBox* combo : findChildren<QComboBox*>())
        combo->setMaxVisibleItems(20);

    ConnectHandlers();
    ConnectPages();
    FormCreate();
}

TFmMain::~TFmMain() {
    FormDestroy();
}

void TFmMain::BuildTopPanel() {
    PnDate = makePanel(this, "PnDate", QRect(10, 10, 1000, 110), QStringLiteral("background: #3d5a73;"));
    anchor(PnDate, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge);
    RbDateDMode = make<QRadioButton>(PnDate, "RbDateDMode", QRect(80, 8, 110, 30));
    RbDateDMode->setText(QStringLiteral("日報モード"));
    setPixelFont(RbDateDMode, 18);
    RbDateMMode = make<QRadioButton>(PnDate, "RbDateMMode", QRect(80, 48, 110, 30));
    RbDateMMode->setText(QStringLiteral("月報モード"));
    setPixelFont(RbDateMMode, 18);

    PnDMode = makePanel(PnDate, "PnDMode", QRect(190, 5, 316, 100));
    makeLabel(PnDMode, "LbDateSelectD", QStringLiteral("日付選択"), QRect(12, 5, 120, 34), 22);
    BtDateUp = makeButton(PnDMode, "BtDateUp", QStringLiteral("◀"), QRect(12, 50, 61, 30), 20);
    CbDateList = make<QComboBox>(PnDMode, "CbDateList", QRect(80, 50, 153, 30));
    setPixelFont(CbDateList, 16);
    BtDateDown = makeButton(PnDMode, "BtDateDown", QStringLiteral("▶"), QRect(241, 50, 65, 30), 20);

    PnMMode = makePanel(PnDate, "PnMMode", QRect(-2150, 5, 314, 100));
    makeLabel(PnMMode, "LbDateSelectM", QStringLiteral("日付選択"), QRect(20, 3, 120, 24), 14);
    CbDateListStart = make<QComboBox>(PnMMode, "CbDateListStart", QRect(13, 30, 130, 27));
    setPixelFont(CbDateListStart, 14);
    makeLabel(PnMMode, "LbDateTilde", QStringLiteral("~"), QRect(146, 30, 26, 27), 30, Qt::AlignCenter);
    CbDateListStop = make<QComboBox>(PnMMode, "CbDateListStop", QRect(173, 30, 130, 27));
    setPixelFont(CbDateListStop, 14);
    makeLabel(PnMMode, "LbPeriodNote", QStringLiteral("⊛　最小１日分、最大３１日分"), QRect(24, 67, 280, 24),
              14);

    PnTimeWindow = makePanel(PnDate, "PnTimeWindow", QRect(520, 5, 281, 100));
    makeLabel(PnTimeWindow, "LbTimeWindow", QStringLiteral("時間帯設定"), QRect(12, 5, 200, 30), 22);
    makeLabel(PnTimeWindow, "LbStart", QStringLiteral("スタート："), QRect(8, 40, 77, 20), 15);
    CbDataStartH = make<QComboBox>(PnTimeWindow, "CbDataStartH", QRect(85, 40, 70, 20));
    makeLabel(PnTimeWindow, "LbStartColon", QStringLiteral("："), QRect(157, 40, 30, 20), 15,
              Qt::AlignCenter);
    CbDataStartM = make<QComboBox>(PnTimeWindow, "CbDataStartM", QRect(189, 40, 70, 20));
    makeLabel(PnTimeWindow, "LbStop", QStringLiteral("ストップ："), QRect(8, 70, 77, 20), 15);
    CbDataStopH = make<QComboBox>(PnTimeWindow, "CbDataStopH", QRect(85, 70, 70, 20));
    makeLabel(PnTimeWindow, "LbStopColon", QStringLiteral("："), QRect(157, 70, 30, 20), 15, Qt::AlignCenter);
    CbDataStopM = make<QComboBox>(PnTimeWindow, "CbDataStopM", QRect(189, 70, 70, 20));
    for (QComboBox* c : {CbDataStartH, CbDataStartM, CbDataStopH, CbDataStopM})
        setPixelFont(c, 14);

    BtMenuOpen = makeButton(this, "BtMenuOpen", QStringLiteral("≡"), QRect(16, 16, 50, 50), 40);
}

void TFmMain::BuildSideMenu() {
    PnControlPanel =
        makePanel(this, "PnControlPanel", QRect(-200, 10, 170, 680),
                  QStringLiteral("#PnControlPanel { background: #1f2c38; border: 1px solid #5d7185; }"));
    anchor(PnControlPanel, Qt::LeftEdge | Qt::TopEdge | Qt::BottomEdge);
    BtMenuClose = makeButton(PnControlPanel, "BtMenuClose", QStringLiteral("×"), QRect(8, 8, 50, 50), 40);
    makeLabel(PnControlPanel, "LbCardDrive", QStringLiteral("SDカードドライブ"), QRect(12, 72, 150, 24), 18);
    EdSelectDir = make<QLineEdit>(PnControlPanel, "EdSelectDir", QRect(12, 96, 144, 32));
    EdSelectDir->setReadOnly(true);
    setPixelFont(EdSelectDir, 13);
    auto button = [&](const char* name, const char* text, int y) {
        return makeButton(PnControlPanel, name, QString::fromUtf8(text), QRect(12, y, 144, 25), 18);
    };
    BtSelectDir = button("BtSelectDir", "ディレクトリ選択", 136);
    // A card to try the program on, installed with it.
    BtSampleCard = makeButton(PnControlPanel, "BtSampleCard", QStringLiteral("サンプルカードを開く"),
                              QRect(12, 168, 144, 25), 14);
    BtPrintGraph = button("BtPrintGraph", "グラフ印刷", 355);
    BtPrintDataView = button("BtPrintDataView", "数表印刷", 387);
    BtCSVConvert = button("BtCSVConvert", "csvデータ変換", 419);
    BtCardCheck = button("BtCardCheck", "容量確認", 608);
    BtVersionCheck = button("BtVersionCheck", "バージョン情報", 640);
    anchor(BtCardCheck, Qt::LeftEdge | Qt::BottomEdge);
    anchor(BtVersionCheck, Qt::LeftEdge | Qt::BottomEdge);

    // Controls that exist but are never shown.
    CbDriveSelect = make<QComboBox>(PnControlPanel, "CbDriveSelect", QRect(92, 28, 70, 22));
    BtDriveListReflesh = button("BtDriveListReflesh", "ドライブ一覧更新", 56);
    BtDriveListReflesh->move(92, 56);
    BtGraphSave = button("BtGraphSave", "画像保存", 0);
    BtGraphSave->move(92, 0);
    BtMeasItemSettings = button("BtMeasItemSettings", "計測項目設定", 460);
    BtMeasItemSettings->hide();
    PnDataViewArea = makePanel(PnControlPanel, "PnDataViewArea", QRect(12, 490, 144, 60));
    PnDataViewArea->hide();
    RbS = make<QRadioButton>(PnDataViewArea, "RbS", QRect(0, 0, 70, 24));
    RbS->setText(QStringLiteral("騒音"));
    RbV = make<QRadioButton>(PnDataViewArea, "RbV", QRect(0, 30, 70, 24));
    RbV->setText(QStringLiteral("振動"));
    BtPrintOut = makeButton(TabItem7, "BtPrintOut", QStringLiteral("全項目印刷"), QRect(8, 8, 144, 25), 18);
    BtShowGraph =
        makeButton(TabItem7, "BtShowGraph", QStringLiteral("測定結果グラフ表示"), QRect(8, 40, 180, 25), 18);
    BtShowDataView = makeButton(TabItem7, "BtShowDataView", QStringLiteral("測定結果テーブル表示"),
                                QRect(8, 72, 180, 25), 18);
    CbDayUnit = make<QCheckBox>(TabItem7, "CbDayUnit", QRect(200, 8, 120, 24));
    CbDayUnit->setText(QStringLiteral("日単位表示"));
    CbMonthUnit = make<QCheckBox>(TabItem7, "CbMonthUnit", QRect(200, 40, 120, 24));
    CbMonthUnit->setText(QStringLiteral("月単位表示"));
    moravel::platform::park(PnControlPanel, {-200, 10});
}

void TFmMain::ConnectHandlers() {
    auto onClick = [this](QAbstractButton* b, void (TFmMain::*handler)()) {
        connect(b, &QAbstractButton::clicked, this,
                [this, handler] { guarded([&] { (this->*handler)(); }); });
    };
    onClick(BtMenuOpen, &TFmMain::BtMenuOpenClick);
    onClick(BtMenuClose, &TFmMain::BtMenuCloseClick);
    onClick(BtSelectDir, &TFmMain::BtSelectDirClick);
    onClick(BtSampleCard, &TFmMain::BtSampleCardClick);
    onClick(BtDateUp, &TFmMain::BtDateUpClick);
    onClick(BtDateDown, &TFmMain::BtDateDownClick);
    onClick(BtCardCheck, &TFmMain::BtCardCheckClick);
    onClick(BtVersionCheck, &TFmMain::BtVersionCheckClick);
    onClick(BtCSVConvert, &TFmMain::BtCSVConvertClick);
    onClick(BtPrintOut, &TFmMain::BtPrintOutClick);
    onClick(BtPrintGraph, &TFmMain::BtPrintGraphClick);
    onClick(BtPrintDataView, &TFmMain::BtPrintDataViewClick);
    onClick(BtGraphSave, &TFmMain::BtGraphSaveClick);
    onClick(BtShowGraph, &TFmMain::BtShowGraphClick);
    onClick(BtShowDataView, &TFmMain::BtShowDataViewClick);
    onClick(CbDayUnit, &TFmMain::CbDateDModeClick);
    onClick(CbMonthUnit, &TFmMain::CbDateMModeChange);

    // Selections made in code run their handlers too, nested in the running handler.
    auto onIndex = [this](QComboBox* c, void (TFmMain::*handler)()) {
        connect(c, &QComboBox::currentIndexChanged, this,
                [this, handler] { guarded([&] { (this->*handler)(); }); });
    };
    onIndex(CbDateList, &TFmMain::CbDateListChange);
    onIndex(CbDateListStart, &TFmMain::CbDateListStartChange);
    onIndex(CbDateListStop, &TFmMain::CbDateListStopChange);
    for (QComboBox* c : {CbDataStartH, CbDataStartM, CbDataStopH, CbDataStopM})
        onIndex(c, &TFmMain::CbDataStartHChange);
    connect(RbDateDMode, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            guarded([&] { CbDateDModeClick(); });
    });
    connect(RbDateMMode, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            guarded([&] { CbDateMModeChange(); });
    });
    for (QRadioButton* r : {RbS, RbV})
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                guarded([&] { RadioGroupChange(); });
        });
}

void TFmMain::ConnectPages() {
    auto on = [this](auto* page, auto signal, void (TFmMain::*handler)()) {
        connect(page, signal, this, [this, handler] { (this->*handler)(); });
    };
    on(TabItem2, &moravel::graph::GraphPage::formChosen, &TFmMain::RbSBChange);
    on(TabItem2, &moravel::graph::GraphPage::sModeChosen, &TFmMain::CbSModeChange);
    on(TabItem2, &moravel::graph::GraphPage::vModeChosen, &TFmMain::CbVModeChange);
    on(TabItem2, &moravel::graph::GraphPage::sSeriesChanged, &TFmMain::CheckBoxClick);
    on(TabItem2, &moravel::graph::GraphPage::vSeriesChanged, &TFmMain::CheckBoxClick2);
    on(TabItem3, &moravel::data::TablesPage::sColumnsChanged, &TFmMain::CheckBoxClickTable);
    on(TabItem3, &moravel::data::TablesPage::vColumnsChanged, &TFmMain::CheckBoxClickTable2);
    on(TabItem3, &moravel::data::TablesPage::columnsReset, &TFmMain::RadioGroupChange);
    on(TabItem4, &moravel::settings::SettingsPage::registerWanted, &TFmMain::BtRegisterClick);
    on(TabItem4, &moravel::settings::SettingsPage::cancelWanted, &TFmMain::BtCancellClick);
    on(TabItem5, &moravel::data::CompliancePage::csvWanted, &TFmMain::BtSummaryCsvClick);
    on(TabItem5, &moravel::data::CompliancePage::eventsCsvWanted, &TFmMain::BtEventsCsvClick);
    connect(
        TabItem5, &moravel::data::CompliancePage::eventChosen, this,
        [this](const QString& stem, int first, int last) { guarded([&] { ShowEvent(stem, first, last); }); });
}

// ---- start-up and window ----

void TFmMain::AttachWindows() {
    if (FmCSVConvert)
        FmCSVConvert->Inputs = [this] { return ExportInputsNow(); };
    if (FmPrint) {
        FmPrint->Inputs = [this] { return ReportInputsNow(); };
        FmPrint->PeriodText = [this] { return TabItem1->EdDate->text(); };
    }
    if (FmDataView)
        connect(FmDataView, &TFmDataView::radioGroupChange, this, [this] { RadioGroupChange(); });
    if (FmGraphArea) {
        connect(FmGraphArea, &TFmGraphArea::sModeChosen, this, [this](int i) { GraphAreaSModeChange(i); });
        connect(FmGraphArea, &TFmGraphArea::vModeChosen, this, [this](int i) { GraphAreaVModeChange(i); });
        connect(FmGraphArea, &TFmGraphArea::redrawWanted, this, [this] {
            if (!LA_List[0].isEmpty())
                GraphDraw();
        });
    }
}

void TFmMain::FormCreate() {
    BtGraphSave->hide();
    CbDriveSelect->hide();
    BtDriveListReflesh->hide();
    DateNumList.clear();
    DriveListCheck();
    TabItem1->MmNotices->clear();
    DataListCreate();
    ModeComboInit();
    DataGridInit();
    SetDataButtonsEnabled(false);
    RbDateDMode->setChecked(true);
    PlaceDayPanels(true);
    ShowModeLayouts(false);
    RbS->setChecked(true);
    TabItem2->RbSB->setChecked(true);
    TabItem2->CbSMode->setMaxVisibleItems(9);
    TabItem2->CbVMode->setMaxVisibleItems(9);
    errorFlag = false;
    const QStringList hours = moravel::hourItems();
    const QStringList halves = {QStringLiteral("00"), QStringLiteral("30")};
    for (QComboBox* c : {CbDataStartH, CbDataStopH}) {
        moravel::platform::fillCombo(c, hours);
        c->setMaxVisibleItems(24);
    }
    for (QComboBox* c : {CbDataStartM, CbDataStopM})
        moravel::platform::fillCombo(c, halves);
    for (QComboBox* c : {CbDataStartH, CbDataStartM, CbDataStopH, CbDataStopM})
        c->setCurrentIndex(0);
}

void TFmMain::FormShow() {
    if (FmMeasItemSettings)
        FmMeasItemSettings->FormCreate();
    RadioGroupChange();
    CbSModeIndex = TabItem2->CbSMode->currentIndex();
    CbVModeIndex = moravel::vibrationComboToStat(TabItem2->CbVMode->currentIndex());
}

void TFmMain::FormResize() {
    // In the error state the refresh draws nothing: the empty frames follow the window's size.
    if (errorFlag)
        GraphReset();
    RadioGroupChange();
}

void TFmMain::FormDestroy() {
    DateNumList.clear();
    DataListCreate();
}

void TFmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        guarded([&] { FormShow(); });
}

void TFmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    guarded([&] { FormResize(); });
}

bool TFmMain::focusNextPrevChild(bool next) {
    if (PnControlPanel->isHidden())
        return QWidget::focusNextPrevChild(next);
    QWidget* from = QApplication::focusWidget();
    if (!from || from->window() != this)
        from = this;
    const QRect menu(PnControlPanel->mapTo(this, QPoint(0, 0)), PnControlPanel->size());
    auto step = [next](QWidget* w) { return next ? w->nextInFocusChain() : w->previousInFocusChain(); };
    for (QWidget* w = step(from); w && w != from; w = step(w)) {
        if (w->window() != this || !(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled() || !w->isVisible() ||
            w->focusProxy())
            continue;
        const bool covered = !PnControlPanel->isAncestorOf(w) &&
                             QRect(w->mapTo(this, QPoint(0, 0)), w->size()).intersects(menu);
        if (covered)
            continue;
        w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return false;
}

void TFmMain::BtMenuOpenClick() {
    moravel::platform::unpark(PnControlPanel, {10, 10});
}

void TFmMain::BtMenuCloseClick() {
    moravel::platform::park(PnControlPanel, {-200, 10});
}

void TFmMain::DataListCreate() {
    static_cast<moravel::data::CardData&>(*this) = moravel::data::CardData();
}

void TFmMain::SetDataButtonsEnabled(bool enabled) {
    for (QPushButton* b : {BtPrintOut, BtPrintGraph, BtPrintDataView, BtGraphSave, BtCSVConvert})
        b->setEnabled(enabled);
}

void TFmMain::PlaceDayPanels(bool dayMode) {
    moravel::platform::unpark(dayMode ? PnDMode : PnMMode, {190, 5});
    moravel::platform::park(dayMode ? PnMMode : PnDMode, {-2150, 5});
}

void TFmMain::ShowModeLayouts(bool monthMode) {
    TabItem2->ShowMode(monthMode);
    TabItem3->ShowMode(monthMode);
}

// ---- card directory and catalogue ----

void TFmMain::BtSelectDirClick() {
    errorFlag = false;
    const auto chosen = dialogs().chooseDirectory(this, QStringLiteral("ディレクトリ指定"), QString());
    if (chosen)
        UseCard(*chosen);
}

void TFmMain::BtSampleCardClick() {
    errorFlag = false;
    const QString sample = moravel::platform::sampleCardDirectory();
    if (sample.isEmpty()) {
        dialogs().information(this, QStringLiteral("サンプルカードがインストールされていません。"));
        return;
    }
    UseCard(sample);
}

void TFmMain::OpenCard(const QString& folder, const QStringList& others) {
    OpenOneCard(folder);
    if (others.isEmpty())
        return;
    QStringList named;
    for (const QString& other : others.mid(0, 3))
        named.append(QDir::toNativeSeparators(QDir::cleanPath(QDir::current().absoluteFilePath(other))));
    QString list = named.join(QStringLiteral("\r\n"));
    if (others.size() > named.size())
        list += QStringLiteral("\r\nほか%1件").arg(others.size() - named.size());
    dialogs().information(
        this, QStringLiteral("一度に開けるカードは一つです。最初のフォルダーだけを開きました。\r\n"
                             "開いていないフォルダー：\r\n%1")
                  .arg(list));
}

void TFmMain::OpenOneCard(const QString& folder) {
    errorFlag = false;
    QString path = QDir::cleanPath(QDir::current().absoluteFilePath(folder));
    // A file on the card (a day file opened with the file manager) stands for its folder.
    if (!moravel::platform::isFolder(path) && QFileInfo(path).isFile())
        path = QFileInfo(path).absolutePath();
    // Said as the folder picker says it of a typed path.
    if (!moravel::platform::isFolder(path)) {
        dialogs().information(
            this, QStringLiteral("フォルダーが見つかりません：%1").arg(QDir::toNativeSeparators(path)));
        return;
    }
    const moravel::platform::FolderListing listing = moravel::platform::listFolders(path);
    if (!listing.error.isEmpty()) {
        // The picker says this under the folder it shows; a box at start names the folder too.
        dialogs().information(this, QStringLiteral("このフォルダーを読み込めません：%1\r\n%2")
                                        .arg(QDir::toNativeSeparators(path), listing.error));
        return;
    }
    UseCard(path);
}

void TFmMain::UseCard(const QString& folder) {
    // Shown as the system writes paths (E:\CARD\ on Windows).
    EdSelectDir->setText(QDir::toNativeSeparators(moravel::platform::withSeparator(folder)));
    DriveDataListCheck();
    if (FmMeasItemSettings)
        FmMeasItemSettings->FormShow();
    if (DateNumList.isEmpty() || errorFlag) {
        SetDataButtonsEnabled(false);
        InitDataReset();
        GraphReset();
        DataGridReset();
        return;
    }
    InitDataView();
    if (LA_List[0].isEmpty()) {
        SetDataButtonsEnabled(false);
    } else {
        SetDataButtonsEnabled(true);
        errorFlag = false;
    }
}

void TFmMain::DriveDataListCheck() {
    try {
        const QStringList names = moravel::platform::listFiles(EdSelectDir->text());
        DateNumList = moravel::data::catalogueFromNames(names);
        QStringList texts;
        texts.reserve(DateNumList.size());
        for (const QString& stem : std::as_const(DateNumList))
            texts.append(DateNumToString(stem));
        moravel::platform::fillCombo(CbDateList, texts);
        moravel::platform::fillCombo(CbDateListStart, texts);
        moravel::platform::fillCombo(CbDateListStop, texts);
        if (DateNumList.isEmpty())
            return;
        if (RbDateDMode->isChecked()) {
            CbDateList->setCurrentIndex(0);
        } else {
            CbDateListStart->setCurrentIndex(0);
            CbDateListStop->setCurrentIndex(0);
        }
    } catch (const std::exception&) {
        if (!errorFlag)
            dialogs().information(this, QStringLiteral("指定されたドライブが無効になっています。"));
        if (CbDriveSelect->count() > 0)
            CbDriveSelect->setCurrentIndex(0);
        DataResetAll();
    }
}

QString TFmMain::DateNumToString(const QString& stem) {
    return moravel::dateNumToString(stem);
}

void TFmMain::DriveListCheck() {
    moravel::platform::fillCombo(CbDriveSelect, moravel::platform::driveList());
    if (CbDriveSelect->count() > 0)
        CbDriveSelect->setCurrentIndex(0);
}

void TFmMain::CbDateListChange() {
    if (errorFlag)
        return;
    DataView();
    if (!LA_List[0].isEmpty() && !errorFlag)
        SetDataButtonsEnabled(true);
}

void TFmMain::BtDateUpClick() {
    if (CbDateList->count() == 0 || errorFlag)
        return;
    try {
        const int i = CbDateList->currentIndex();
        CbDateList->setCurrentIndex(i <= 0 ? CbDateList->count() - 1 : i - 1);
    } catch (const std::exception&) {
    }
}

void TFmMain::BtDateDownClick() {
    if (CbDateList->count() == 0 || errorFlag)
        return;
    try {
        const int i = CbDateList->currentIndex();
        CbDateList->setCurrentIndex(i >= CbDateList->count() - 1 ? 0 : i + 1);
    } catch (const std::exception&) {
    }
}

void TFmMain::CbDateListStartChange() {
    // A period is at most 31 days: its last day at most 30 entries after its first.
    const int longest = moravel::data::MaxPeriodDays - 1;
    const int first = CbDateListStart->currentIndex();
    if (CbDateListStop->currentIndex() < first)
        CbDateListStop->setCurrentIndex(first);
    if (CbDateListStop->currentIndex() - first > longest)
        CbDateListStop->setCurrentIndex(first + longest);
    if (!errorFlag)
        DataView();
}

void TFmMain::CbDateListStopChange() {
    const int longest = moravel::data::MaxPeriodDays - 1;
    const int last = CbDateListStop->currentIndex();
    if (last < CbDateListStart->currentIndex())
        CbDateListStart->setCurrentIndex(last);
    if (last - CbDateListStart->currentIndex() > longest)
        CbDateListStart->setCurrentIndex(last - longest);
    if (!errorFlag)
        DataView();
}

void TFmMain::CbDateDModeClick() {
    if (!RbDateDMode->isChecked()) {
        // The hidden "日単位表示" box selects day mode through the radio button.
        RbDateDMode->setChecked(true);
        return;
    }
    PlaceDayPanels(true);
    ShowModeLayouts(false);
    TabItem2->RbSB->show();
    TabItem2->RbSS->show();
    if (CbDateList->count() > 0) {
        DriveDataListCheck();
        CbDateListChange();
    }
}

void TFmMain::CbDateMModeChange() {
    if (!RbDateMMode->isChecked()) {
        RbDateMMode->setChecked(true);
        return;
    }
    PlaceDayPanels(false);
    ShowModeLayouts(true);
    TabItem2->RbSB->hide();
    TabItem2->RbSS->hide();
    if (errorFlag)
        return;
    if (CbDateList->count() > 0) {
        DriveDataListCheck();
        CbDateListChange();
    }
}

// ---- capacity and version ----

void TFmMain::BtCardCheckClick() {
    if (EdSelectDir->text().isEmpty()) {
        dialogs().information(this, QStringLiteral("ドライブを指定してください。"));
        return;
    }
    const qint64 free = moravel::platform::freeBytes(EdSelectDir->text());
    if (free < 0) {
        // The card is gone: there is no free space to tell.
        dialogs().information(this, QStringLiteral("指定されたドライブが無効になっています。"));
        return;
    }
    dialogs().information(this, moravel::data::capacityMessage(free));
}

void TFmMain::BtVersionCheckClick() {
    dialogs().information(this, moravel::appName() + QStringLiteral("\r\nバージョン　：　") + VersionGet());
}

QString TFmMain::VersionGet() {
    return moravel::platform::versionText();
}
