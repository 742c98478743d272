#include "data/TablesPage.h"

#include "common/Errors.h"
#include "common/LevelStat.h"
#include "data/GridModel.h"
#include "data/Tables.h"
#include "platform/Application.h"
#include "platform/Widgets.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

using moravel::platform::guarded;
using moravel::platform::make;
using moravel::platform::makeButton;
using moravel::platform::makeLabel;
using moravel::platform::makePanel;
using moravel::platform::setPixelFont;

namespace moravel::data {

namespace {

QCheckBox* columnBox(QWidget* parent, const char* name, int stat, int x, int y) {
    auto* box = make<QCheckBox>(parent, name, QRect(x, y, 55, 20));
    box->setText(levelStatName(stat));
    box->setChecked(true);
    return box;
}

// A day table: 24 hours and the fixed column across, six ten-minute blocks and the fixed row down.
constexpr int DayColumns = 25;
constexpr int DayRows = 7;
// The month table: the date and nine levels of each channel across, a heading and 31 days down.
constexpr int MonthColumns = 18;
constexpr int MonthRows = 32;

} // namespace

TablesPage::TablesPage(QWidget* parent) : QWidget(parent) {
    QWidget* page = this;
    LoTableD = make<QWidget>(page, "LoTableD", QRect(0, 0, 996, 400));
    QWidget* noise = makePanel(LoTableD, "PnTableS", QRect(0, 0, 820, 195));
    makeLabel(noise, "LbTableS", QStringLiteral("騒音　S"), QRect(24, 0, 145, 33), 20);
    LbSMode = makeLabel(noise, "LbSMode", QString(), QRect(128, 0, 145, 33), 20);
    SgDataView = make<QTableView>(noise, "SgDataView", QRect(0, 32, 818, 163));
    QWidget* vibration = makePanel(LoTableD, "PnTableV", QRect(0, 195, 820, 195));
    makeLabel(vibration, "LbTableV", QStringLiteral("振動　V"), QRect(24, 0, 145, 33), 20);
    LbVMode = makeLabel(vibration, "LbVMode", QString(), QRect(128, 0, 145, 33), 20);
    SgDataView2 = make<QTableView>(vibration, "SgDataView2", QRect(0, 32, 818, 163));
    NoiseDayGrid = new GridModel(DayColumns, DayRows, this);
    VibrationDayGrid = new GridModel(DayColumns, DayRows, this);
    SgDataView->setModel(NoiseDayGrid);
    SgDataView2->setModel(VibrationDayGrid);
    for (QTableView* g : {SgDataView, SgDataView2})
        setPixelFont(g, 13);

    LoTableM = make<QWidget>(page, "LoTableM", QRect(0, 0, 996, 540));
    QWidget* buttons = makePanel(LoTableM, "PnTableButtons", QRect(0, 3, 177, 60));
    makeLabel(buttons, "LbButtonsS", QStringLiteral("騒音"), QRect(8, 0, 40, 28), 18);
    makeLabel(buttons, "LbButtonsV", QStringLiteral("振動"), QRect(8, 32, 40, 28), 18);
    Button9 = makeButton(buttons, "Button9", QStringLiteral("全チェック"), QRect(48, 5, 60, 22), 11);
    Button11 = makeButton(buttons, "Button11", QStringLiteral("全外す"), QRect(112, 5, 60, 22), 11);
    Button10 = makeButton(buttons, "Button10", QStringLiteral("全チェック"), QRect(48, 37, 60, 22), 11);
    Button12 = makeButton(buttons, "Button12", QStringLiteral("全外す"), QRect(112, 37, 60, 22), 11);

    QWidget* sCols = makePanel(LoTableM, "PnTableColumnsS", QRect(181, 3, 323, 60),
                               QStringLiteral("#PnTableColumnsS { border: 1px solid #5d7185; }"));
    auto* sLabel =
        makeLabel(sCols, "LbColumnsS", QStringLiteral("騒音　S"), QRect(16, 0, 33, 60), 16, Qt::AlignCenter);
    sLabel->setWordWrap(true);
    CbSTableLeq = columnBox(sCols, "CbSTableLeq", Leq, 56, 10);
    CbSTableLe = columnBox(sCols, "CbSTableLe", Le, 56, 35);
    CbSTableL05 = columnBox(sCols, "CbSTableL05", L05, 104, 10);
    CbSTableL10 = columnBox(sCols, "CbSTableL10", L10, 104, 35);
    CbSTableL50 = columnBox(sCols, "CbSTableL50", L50, 152, 10);
    CbSTableL90 = columnBox(sCols, "CbSTableL90", L90, 152, 35);
    CbSTableL95 = columnBox(sCols, "CbSTableL95", L95, 200, 10);
    CbSTableLmin = columnBox(sCols, "CbSTableLmin", Lmin, 248, 10);
    CbSTableLmax = columnBox(sCols, "CbSTableLmax", Lmax, 248, 35);

    QWidget* vCols = makePanel(LoTableM, "PnTableColumnsV", QRect(505, 3, 308, 60),
                               QStringLiteral("#PnTableColumnsV { border: 1px solid #5d7185; }"));
    auto* vLabel =
        makeLabel(vCols, "LbColumnsV", QStringLiteral("振動　V"), QRect(16, 0, 33, 60), 16, Qt::AlignCenter);
    vLabel->setWordWrap(true);
    CbVTableLeq = columnBox(vCols, "CbVTableLeq", Leq, 56, 10);
    CbVTableL05 = columnBox(vCols, "CbVTableL05", L05, 104, 10);
    CbVTableL10 = columnBox(vCols, "CbVTableL10", L10, 104, 35);
    CbVTableL50 = columnBox(vCols, "CbVTableL50", L50, 152, 10);
    CbVTableL90 = columnBox(vCols, "CbVTableL90", L90, 152, 35);
    CbVTableL95 = columnBox(vCols, "CbVTableL95", L95, 200, 10);
    CbVTableLmin = columnBox(vCols, "CbVTableLmin", Lmin, 245, 10);
    CbVTableLmax = columnBox(vCols, "CbVTableLmax", Lmax, 245, 35);
    CbVTableLe = columnBox(vCols, "CbVTableLe", Le, 56, 35);
    CbVTableLe->setChecked(false);
    CbVTableLe->hide();

    QWidget* table = makePanel(LoTableM, "PnDataTable", QRect(0, 70, 817, 468));
    DataTable = make<QTableView>(table, "DataTable", QRect(0, 0, 815, 470));
    MonthGrid = new GridModel(MonthColumns, MonthRows, this);
    DataTable->setModel(MonthGrid);
    setPixelFont(DataTable, 13);

    for (QCheckBox* box : STableBoxes())
        connect(box, &QCheckBox::toggled, this, [this] { guarded([&] { emit sColumnsChanged(); }); });
    for (QCheckBox* box : VTableBoxes())
        connect(box, &QCheckBox::toggled, this, [this] { guarded([&] { emit vColumnsChanged(); }); });
    connect(Button9, &QPushButton::clicked, this, [this] { guarded([&] { Button9Click(); }); });
    connect(Button10, &QPushButton::clicked, this, [this] { guarded([&] { Button10Click(); }); });
    connect(Button11, &QPushButton::clicked, this, [this] { guarded([&] { Button11Click(); }); });
    connect(Button12, &QPushButton::clicked, this, [this] { guarded([&] { Button12Click(); }); });
}

std::array<QCheckBox*, 9> TablesPage::STableBoxes() const {
    return {CbSTableLeq, CbSTableLe,  CbSTableL05,  CbSTableL10, CbSTableL50,
            CbSTableL90, CbSTableL95, CbSTableLmin, CbSTableLmax};
}

std::array<QCheckBox*, 9> TablesPage::VTableBoxes() const {
    return {CbVTableLeq, CbVTableLe,  CbVTableL05,  CbVTableL10, CbVTableL50,
            CbVTableL90, CbVTableL95, CbVTableLmin, CbVTableLmax};
}

QList<int> TablesPage::Columns(int channel) const {
    return checkedStats(platform::checkedStates(channel == 0 ? STableBoxes() : VTableBoxes()));
}

void TablesPage::ShowMode(bool monthMode) {
    LoTableD->setVisible(!monthMode);
    LoTableM->setVisible(monthMode);
}

void TablesPage::DataGridInit() {
    for (QTableView* g : {SgDataView, SgDataView2})
        initGridView(g, 50, 30, 22);
    for (GridModel* g : {NoiseDayGrid, VibrationDayGrid})
        writeDayFixedCells(*g);
    initGridView(DataTable, 180, 35, 22);
    MonthGrid->setCell(0, 0, QStringLiteral("日付"));
}

void TablesPage::DataGridInitDay() {
    for (QTableView* g : {SgDataView, SgDataView2})
        g->setColumnWidth(0, 50);
    for (GridModel* g : {NoiseDayGrid, VibrationDayGrid})
        writeDayFixedCells(*g);
}

bool TablesPage::DataGridView(const QStringList& levels) {
    const DayCells cells = dayCells(levels);
    for (int k = 0; k < cells.texts.size(); ++k)
        NoiseDayGrid->setCell(k / 6 + 1, k % 6 + 1, cells.texts[k]);
    return cells.complete;
}

bool TablesPage::DataGridView2(const QStringList& levels) {
    const DayCells cells = dayCells(levels);
    for (int k = 0; k < cells.texts.size(); ++k)
        VibrationDayGrid->setCell(k / 6 + 1, k % 6 + 1, cells.texts[k]);
    return cells.complete;
}

void TablesPage::DataGridReset() {
    for (int k = 0; k < SlotsPerDay; ++k)
        NoiseDayGrid->setCell(k / 6 + 1, k % 6 + 1, QString());
}

void TablesPage::DataGridViewMax(const QString& text, int day) {
    const int column = day % 16 + 1;
    const int row = day < 16 ? 1 : 3;
    NoiseDayGrid->setCell(column, row, text);
}

void TablesPage::DataGridViewTableMaxInit(int column) {
    for (int r = 0; r < MonthRows; ++r)
        MonthGrid->setCell(column, r, QString());
}

void TablesPage::DataGridViewTableMax(const QString& text, int day, int column) {
    MonthGrid->setCell(column, day + 1, text);
}

void TablesPage::Show(const CardData& data, const DisplayChoices& choices) {
    if (!choices.monthMode()) {
        DataGridInitDay();
        if (!DataGridView(data.LA_List.at(static_cast<size_t>(choices.sStat))) ||
            !DataGridView2(data.LV_List.at(static_cast<size_t>(choices.vStat))))
            throw DataError(corruptDataMessage());
        return;
    }
    MonthTableRequest request;
    request.dateTexts = choices.dateTexts;
    request.first = choices.selection.first;
    request.last = choices.selection.last;
    request.sStat = choices.sStat;
    request.vStat = choices.vStat;
    request.sColumns = choices.sColumns;
    request.vColumns = choices.vColumns;
    request.la = &data.LA_ListMax;
    request.lv = &data.LV_ListMax;
    const MonthTable table = monthTable(request);
    DataGridReset();
    for (int c = 1; c <= 9; ++c)
        DataGridViewTableMaxInit(c);
    for (int r = 1; r < MonthRows; ++r)
        MonthGrid->setCell(0, r, QString());
    // The noise half, as far as the days' dates could be read; then the vibration half.
    for (int d = 0; d < table.rows.size(); ++d) {
        const MonthTable::Row& row = table.rows[d];
        if (table.withDates)
            MonthGrid->setCell(0, d + 1, row.date);
        DataGridViewMax(row.sOverview, d);
        for (int j = 0; j < row.sValues.size(); ++j) {
            DataGridViewTableMax(row.sValues[j], d, j + 1);
            MonthGrid->setCell(j + 1, 0, table.sHeadings[j]);
        }
    }
    if (!table.complete)
        throw DataError(corruptDataMessage());
    DataGridReset();
    for (int c = 10; c <= 17; ++c)
        DataGridViewTableMaxInit(c);
    for (int d = 0; d < table.rows.size(); ++d) {
        const MonthTable::Row& row = table.rows[d];
        DataGridViewMax(row.vOverview, d);
        for (int j = 0; j < row.vValues.size(); ++j) {
            DataGridViewTableMax(row.vValues[j], d, j + 10);
            MonthGrid->setCell(j + 10, 0, table.vHeadings[j]);
        }
    }
}

void TablesPage::Button9Click() {
    for (QCheckBox* box : STableBoxes())
        box->setChecked(true);
    emit columnsReset();
}

void TablesPage::Button11Click() {
    for (QCheckBox* box : STableBoxes())
        box->setChecked(false);
    emit columnsReset();
}

void TablesPage::Button10Click() {
    // The hidden Le box of the vibration channel stays as it is.
    for (QCheckBox* box : {CbVTableLeq, CbVTableL05, CbVTableL10, CbVTableL50, CbVTableL90, CbVTableL95,
                           CbVTableLmin, CbVTableLmax})
        box->setChecked(true);
    emit columnsReset();
}

void TablesPage::Button12Click() {
    for (QCheckBox* box : {CbVTableLeq, CbVTableL05, CbVTableL10, CbVTableL50, CbVTableL90, CbVTableL95,
                           CbVTableLmin, CbVTableLmax})
        box->setChecked(false);
    emit columnsReset();
}

} // namespace moravel::data
