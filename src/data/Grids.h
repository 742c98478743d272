#pragma once

#include <QString>

class QTableWidget;

namespace moravel::data {

// String grids whose every cell exists from the start, so that writing a cell is setting its text.
// Cells are centred; the first row and the first column carry the fixed cells.
void initGrid(QTableWidget* grid, int columns, int rows, int firstColumnWidth, int columnWidth,
              int rowHeight);
void setCell(QTableWidget* grid, int column, int row, const QString& text);
QString cell(const QTableWidget* grid, int column, int row);

// While a batch exists, cell writes are collected and reach the grids when it ends (also when it
// ends by an error): a cell emptied and written again within a refresh changes once, or not at all.
class GridBatch {
public:
    GridBatch();
    ~GridBatch();
    GridBatch(const GridBatch&) = delete;
    GridBatch& operator=(const GridBatch&) = delete;

private:
    GridBatch* m_outer;
};

// The fixed cells of a day grid: "分＼時", the hours 0 to 23 across, "0~10" to "50~60" down.
void writeDayFixedCells(QTableWidget* grid);

} // namespace moravel::data
