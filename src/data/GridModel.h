#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <vector>

class QAbstractItemView;
class QTableView;

namespace moravel::data {

// A grid of texts whose every cell exists from the start, so that writing a cell is setting its
// text: row 0 and column 0 hold the fixed cells on a dark ground, every cell is centred. A grid may
// lie over another, its base: each cell shows whichever of the two was written last. The table
// window shows the main window's noise day table that way, under fixed cells of its own.
class GridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    GridModel(int columns, int rows, QObject* parent = nullptr, const GridModel* base = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Writes a cell; one outside the grid is left alone.
    void setCell(int column, int row, const QString& text);
    // The text the cell shows.
    QString cell(int column, int row) const;

    // While a batch is open, the grids' writes are told to their views once, when it ends (also when
    // it ends by an error): a cell emptied and written again within a refresh changes once, or not
    // at all, on the screen.
    class Batch {
    public:
        Batch(std::initializer_list<GridModel*> grids);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        std::vector<GridModel*> m_grids;
    };

private:
    struct Cell {
        QString text;        // what the views show
        bool set = false;    // whether a write ever changed it: a cell never set shows no text at all
        quint64 written = 0; // when it was last written: 0 for never
        QString staged;      // written within the open batch, shown when it ends
        bool isStaged = false;
    };
    Cell& own(int column, int row);
    const Cell& own(int column, int row) const;
    // The cell this grid shows: its own, or its base's where that was written later.
    const Cell& at(int column, int row) const;
    void endBatch();

    int m_columns;
    int m_rows;
    std::vector<Cell> m_cells;
    const GridModel* m_base;
    int m_batches = 0;
    std::vector<int> m_staged; // the cells written within the open batch, in order
};

// Sets up a view of a grid: no headers, no editing, no selection, the column widths and row height.
void initGridView(QTableView* view, int firstColumnWidth, int columnWidth, int rowHeight);
// The fixed cells of a day grid: "分＼時", the hours 0 to 23 across, "0~10" to "50~60" down.
void writeDayFixedCells(GridModel& grid);
// The text a view shows in a cell.
QString cell(const QAbstractItemView* view, int column, int row);

// Rows of texts under headings, centred: the compliance tables. Rows are replaced, added and removed
// at the end, so that the current row stays where it is when the rows are written again.
class TextRowsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit TextRowsModel(const QStringList& headings, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setRows(const QList<QStringList>& rows);

private:
    QStringList m_headings;
    QList<QStringList> m_rows;
};

} // namespace moravel::data
