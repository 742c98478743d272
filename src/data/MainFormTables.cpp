// The main window's result tables and the central refresh that rewrites tables and graphs.
#include "app/MainForm.h"

#include "common/Checked.h"
#include "common/DateText.h"
#include "common/Errors.h"
#include "common/LevelStat.h"
#include "data/DataViewForm.h"
#include "data/Grids.h"
#include "data/Loading.h"
#include "data/Tables.h"
#include "platform/Application.h"
#include "platform/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

using moravel::data::setCell;
using moravel::platform::guarded;
using moravel::platform::make;
using moravel::platform::makeButton;
using moravel::platform::makeLabel;
using moravel::platform::makePanel;
using moravel::platform::setPixelFont;

namespace {

QCheckBox* columnBox(QWidget* parent, const char* name, int stat, int x, int y) {
    auto* box = make<QCheckBox>(parent, name, QRect(x, y, 55, 20));
    box->setText(moravel::levelStatName(stat));
    box->setChecked(true);
    return box;
}

} // namespace

void TFmMain::BuildTablePage() {
    QWidget* page = TabItem3;
    LoTableD = make<QWidget>(page, "LoTableD", QRect(0, 0, 996, 400));
    QWidget* noise = makePanel(LoTableD, "PnTableS", QRect(0, 0, 820, 195));
    makeLabel(noise, "LbTableS", QStringLiteral("騒音　S"), QRect(24, 0, 145, 33), 20);
    LbSMode = makeLabel(noise, "LbSMode", QString(), QRect(128, 0, 145, 33), 20);
    SgDataView = make<QTableWidget>(noise, "SgDataView", QRect(0, 32, 818, 163));
    QWidget* vibration = makePanel(LoTableD, "PnTableV", QRect(0, 195, 820, 195));
    makeLabel(vibration, "LbTableV", QStringLiteral("振動　V"), QRect(24, 0, 145, 33), 20);
    LbVMode = makeLabel(vibration, "LbVMode", QString(), QRect(128, 0, 145, 33), 20);
    SgDataView2 = make<QTableWidget>(vibration, "SgDataView2", QRect(0, 32, 818, 163));
    for (QTableWidget* g : {SgDataView, SgDataView2})
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
    CbSTableLeq = columnBox(sCols, "CbSTableLeq", moravel::Leq, 56, 10);
    CbSTableLe = columnBox(sCols, "CbSTableLe", moravel::Le, 56, 35);
    CbSTableL05 = columnBox(sCols, "CbSTableL05", moravel::L05, 104, 10);
    CbSTableL10 = columnBox(sCols, "CbSTableL10", moravel::L10, 104, 35);
    CbSTableL50 = columnBox(sCols, "CbSTableL50", moravel::L50, 152, 10);
    CbSTableL90 = columnBox(sCols, "CbSTableL90", moravel::L90, 152, 35);
    CbSTableL95 = columnBox(sCols, "CbSTableL95", moravel::L95, 200, 10);
    CbSTableLmin = columnBox(sCols, "CbSTableLmin", moravel::Lmin, 248, 10);
    CbSTableLmax = columnBox(sCols, "CbSTableLmax", moravel::Lmax, 248, 35);

    QWidget* vCols = makePanel(LoTableM, "PnTableColumnsV", QRect(505, 3, 308, 60),
                               QStringLiteral("#PnTableColumnsV { border: 1px solid #5d7185; }"));
    auto* vLabel =
        makeLabel(vCols, "LbColumnsV", QStringLiteral("振動　V"), QRect(16, 0, 33, 60), 16, Qt::AlignCenter);
    vLabel->setWordWrap(true);
    CbVTableLeq = columnBox(vCols, "CbVTableLeq", moravel::Leq, 56, 10);
    CbVTableL05 = columnBox(vCols, "CbVTableL05", moravel::L05, 104, 10);
    CbVTableL10 = columnBox(vCols, "CbVTableL10", moravel::L10, 104, 35);
    CbVTableL50 = columnBox(vCols, "CbVTableL50", moravel::L50, 152, 10);
    CbVTableL90 = columnBox(vCols, "CbVTableL90", moravel::L90, 152, 35);
    CbVTableL95 = columnBox(vCols, "CbVTableL95", moravel::L95, 200, 10);
    CbVTableLmin = columnBox(vCols, "CbVTableLmin", moravel::Lmin, 245, 10);
    CbVTableLmax = columnBox(vCols, "CbVTableLmax", moravel::Lmax, 245, 35);
    CbVTableLe = columnBox(vCols, "CbVTableLe", moravel::Le, 56, 35);
    CbVTableLe->setChecked(false);
    CbVTableLe->hide();

    QWidget* table = makePanel(LoTableM, "PnDataTable", QRect(0, 70, 817, 468));
    DataTable = make<QTableWidget>(table, "DataTable", QRect(0, 0, 815, 470));
    setPixelFont(DataTable, 13);
}

void TFmMain::ConnectTableHandlers() {
    for (QCheckBox* box : STableBoxes())
        connect(box, &QCheckBox::toggled, this, [this] { guarded([&] { CheckBoxClickTable(); }); });
    for (QCheckBox* box : VTableBoxes())
        connect(box, &QCheckBox::toggled, this, [this] { guarded([&] { CheckBoxClickTable2(); }); });
    connect(Button9, &QPushButton::clicked, this, [this] { guarded([&] { Button9Click(); }); });
    connect(Button10, &QPushButton::clicked, this, [this] { guarded([&] { Button10Click(); }); });
    connect(Button11, &QPushButton::clicked, this, [this] { guarded([&] { Button11Click(); }); });
    connect(Button12, &QPushButton::clicked, this, [this] { guarded([&] { Button12Click(); }); });
}

std::array<QCheckBox*, 9> TFmMain::STableBoxes() const {
    return {CbSTableLeq, CbSTableLe,  CbSTableL05,  CbSTableL10, CbSTableL50,
            CbSTableL90, CbSTableL95, CbSTableLmin, CbSTableLmax};
}

std::array<QCheckBox*, 9> TFmMain::VTableBoxes() const {
    return {CbVTableLeq, CbVTableLe,  CbVTableL05,  CbVTableL10, CbVTableL50,
            CbVTableL90, CbVTableL95, CbVTableLmin, CbVTableLmax};
}

void TFmMain::DataGridInit() {
    for (QTableWidget* g : {SgDataView, SgDataView2}) {
        moravel::data::initGrid(g, 25, 7, 50, 30, 22);
        moravel::data::writeDayFixedCells(g);
    }
    moravel::data::initGrid(DataTable, 18, 32, 180, 35, 22);
    setCell(DataTable, 0, 0, QStringLiteral("日付"));
}

void TFmMain::DataGridInitDay() {
    for (QTableWidget* g : {SgDataView, SgDataView2}) {
        g->setColumnWidth(0, 50);
        moravel::data::writeDayFixedCells(g);
    }
}

bool TFmMain::DataGridView(const QStringList& levels) {
    const moravel::data::DayCells cells = moravel::data::dayCells(levels);
    for (int k = 0; k < cells.texts.size(); ++k) {
        setCell(SgDataView, k / 6 + 1, k % 6 + 1, cells.texts[k]);
        if (FmDataView)
            setCell(FmDataView->SgDataView, k / 6 + 1, k % 6 + 1, cells.texts[k]);
    }
    return cells.complete;
}

bool TFmMain::DataGridView2(const QStringList& levels) {
    const moravel::data::DayCells cells = moravel::data::dayCells(levels);
    for (int k = 0; k < cells.texts.size(); ++k)
        setCell(SgDataView2, k / 6 + 1, k % 6 + 1, cells.texts[k]);
    return cells.complete;
}

void TFmMain::DataGridReset() {
    for (int k = 0; k < moravel::data::SlotsPerDay; ++k) {
        setCell(SgDataView, k / 6 + 1, k % 6 + 1, QString());
        if (FmDataView)
            setCell(FmDataView->SgDataView, k / 6 + 1, k % 6 + 1, QString());
    }
}

void TFmMain::DataGridViewMax(const QString& text, int day) {
    const int column = day % 16 + 1;
    const int row = day < 16 ? 1 : 3;
    if (FmDataView)
        setCell(FmDataView->SgDataView, column, row, text);
    setCell(SgDataView, column, row, text);
}

void TFmMain::DataGridViewTableMaxInit(int column) {
    for (int r = 0; r <= 31; ++r)
        setCell(DataTable, column, r, QString());
}

void TFmMain::DataGridViewTableMax(const QString& text, int day, int column) {
    setCell(DataTable, column, day + 1, text);
}

void TFmMain::RadioGroupChange() {
    ++RefreshCount;
    const QList<int> sColumns = CheckedStats(STableBoxes());
    const QList<int> vColumns = CheckedStats(VTableBoxes());
    if (errorFlag)
        return;
    try {
        if (FmDataView && FmDataView->RbS->isChecked()) {
            // The tables change once, at the end of their refresh (or where an error ends it).
            moravel::data::GridBatch batch;
            if (RbDateDMode->isChecked()) {
                DataGridInitDay();
                FmDataView->StringGridInitDay();
                if (!DataGridView(LA_List.at(static_cast<size_t>(CbSModeIndex))) ||
                    !DataGridView2(LV_List.at(static_cast<size_t>(CbVModeIndex))))
                    throw moravel::DataError(moravel::data::corruptDataMessage());
            } else {
                moravel::data::MonthTableRequest request;
                request.dateTexts = moravel::platform::comboItems(CbDateListStart);
                request.first = CbDateListStart->currentIndex();
                request.last = CbDateListStop->currentIndex();
                request.sStat = CbSModeIndex;
                request.vStat = CbVModeIndex;
                request.sColumns = sColumns;
                request.vColumns = vColumns;
                request.la = &LA_ListMax;
                request.lv = &LV_ListMax;
                const moravel::data::MonthTable table = moravel::data::monthTable(request);
                DataGridReset();
                for (int c = 1; c <= 9; ++c)
                    DataGridViewTableMaxInit(c);
                FmDataView->StringGridInitMonth();
                for (int r = 1; r <= 31; ++r)
                    setCell(DataTable, 0, r, QString());
                // The noise half, as far as the days' dates could be read; then the vibration half.
                for (int d = 0; d < table.rows.size(); ++d) {
                    const moravel::data::MonthTable::Row& row = table.rows[d];
                    if (table.withDates)
                        setCell(DataTable, 0, d + 1, row.date);
                    DataGridViewMax(row.sOverview, d);
                    for (int j = 0; j < row.sValues.size(); ++j) {
                        DataGridViewTableMax(row.sValues[j], d, j + 1);
                        setCell(DataTable, j + 1, 0, table.sHeadings[j]);
                    }
                }
                if (!table.complete)
                    throw moravel::DataError(moravel::data::corruptDataMessage());
                DataGridReset();
                for (int c = 10; c <= 17; ++c)
                    DataGridViewTableMaxInit(c);
                FmDataView->StringGridInitMonth();
                for (int d = 0; d < table.rows.size(); ++d) {
                    const moravel::data::MonthTable::Row& row = table.rows[d];
                    DataGridViewMax(row.vOverview, d);
                    for (int j = 0; j < row.vValues.size(); ++j) {
                        DataGridViewTableMax(row.vValues[j], d, j + 10);
                        setCell(DataTable, j + 10, 0, table.vHeadings[j]);
                    }
                }
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
    for (QCheckBox* box : STableBoxes())
        box->setChecked(true);
    RadioGroupChange();
}

void TFmMain::Button11Click() {
    for (QCheckBox* box : STableBoxes())
        box->setChecked(false);
    RadioGroupChange();
}

void TFmMain::Button10Click() {
    for (QCheckBox* box : {CbVTableLeq, CbVTableL05, CbVTableL10, CbVTableL50, CbVTableL90, CbVTableL95,
                           CbVTableLmin, CbVTableLmax})
        box->setChecked(true);
    RadioGroupChange();
}

void TFmMain::Button12Click() {
    for (QCheckBox* box : {CbVTableLeq, CbVTableL05, CbVTableL10, CbVTableL50, CbVTableL90, CbVTableL95,
                           CbVTableLmin, CbVTableLmax})
        box->setChecked(false);
    RadioGroupChange();
}

void TFmMain::BtShowDataViewClick() {
    if (!FmDataView)
        return;
    FmDataView->show();
    FmDataView->raise();
    RadioGroupChange();
}
