#pragma once

#include "data/Choices.h"
#include "data/Loading.h"

#include <QList>
#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace moravel::data {

class GridModel;

// The page "数表": in day mode the day tables of the chosen level of both channels (hours across,
// ten-minute blocks down); in month mode the month table of the checked columns of both channels
// with their boxes. The noise day table also carries the overview of the period's daily maxima,
// which the table window shows.
class TablesPage : public QWidget {
    Q_OBJECT

public:
    explicit TablesPage(QWidget* parent = nullptr);

    QWidget* LoTableD = nullptr;
    QWidget* LoTableM = nullptr;
    QLabel* LbSMode = nullptr;
    QLabel* LbVMode = nullptr;
    QTableView* SgDataView = nullptr;
    QTableView* SgDataView2 = nullptr;
    QTableView* DataTable = nullptr;
    QPushButton *Button9 = nullptr, *Button10 = nullptr, *Button11 = nullptr, *Button12 = nullptr;
    QCheckBox *CbSTableLeq = nullptr, *CbSTableLe = nullptr, *CbSTableL05 = nullptr, *CbSTableL10 = nullptr,
              *CbSTableL50 = nullptr, *CbSTableL90 = nullptr, *CbSTableL95 = nullptr, *CbSTableLmin = nullptr,
              *CbSTableLmax = nullptr;
    QCheckBox *CbVTableLeq = nullptr, *CbVTableLe = nullptr, *CbVTableL05 = nullptr, *CbVTableL10 = nullptr,
              *CbVTableL50 = nullptr, *CbVTableL90 = nullptr, *CbVTableL95 = nullptr, *CbVTableLmin = nullptr,
              *CbVTableLmax = nullptr;

    // What the tables show; the table window shows the noise day grid under its own fixed cells.
    GridModel* NoiseDayGrid = nullptr;
    GridModel* VibrationDayGrid = nullptr;
    GridModel* MonthGrid = nullptr;

    std::array<QCheckBox*, 9> STableBoxes() const;
    std::array<QCheckBox*, 9> VTableBoxes() const;
    // The levels of the checked columns of a channel (0 noise, 1 vibration), in LevelStat order.
    QList<int> Columns(int channel) const;

    // Day or month layout.
    void ShowMode(bool monthMode);
    void DataGridInit();
    void DataGridInitDay();
    // Both return false where a level was not a number (the cells before it are written).
    bool DataGridView(const QStringList& levels);
    bool DataGridView2(const QStringList& levels);
    // Empties the intervals of the noise day table.
    void DataGridReset();
    void DataGridViewMax(const QString& text, int day);
    void DataGridViewTableMaxInit(int column);
    void DataGridViewTableMax(const QString& text, int day, int column);
    // Fills the tables of the mode chosen: the day tables of the chosen levels, or the month table and
    // the overview of the daily maxima (the noise half, then the vibration half). Throws DataError
    // where a level or a day's date cannot be read; the cells written up to there stay.
    void Show(const CardData& data, const DisplayChoices& choices);

    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();

signals:
    // A column box of a channel changed.
    void sColumnsChanged();
    void vColumnsChanged();
    // A button checked or cleared every column box of the page.
    void columnsReset();
};

} // namespace moravel::data
