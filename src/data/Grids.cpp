#include "data/Grids.h"

#include <QHeaderView>
#include <QTableWidget>

namespace moravel::data {

void initGrid(QTableWidget* grid, int columns, int rows, int firstColumnWidth, int columnWidth, int rowHeight) {
    grid->setColumnCount(columns);
    grid->setRowCount(rows);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setWordWrap(false);
    for (int c = 0; c < columns; ++c)
        grid->setColumnWidth(c, c == 0 ? firstColumnWidth : columnWidth);
    for (int r = 0; r < rows; ++r) {
        grid->setRowHeight(r, rowHeight);
        for (int c = 0; c < columns; ++c) {
            if (grid->item(r, c))
                continue;
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            if (r == 0 || c == 0)
                item->setBackground(QColor(0x16, 0x22, 0x2d));
            grid->setItem(r, c, item);
        }
    }
}

void setCell(QTableWidget* grid, int column, int row, const QString& text) {
    if (QTableWidgetItem* item = grid->item(row, column)) {
        if (item->text() != text)
            item->setText(text);
    }
}

QString cell(const QTableWidget* grid, int column, int row) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

QString minuteBlockLabel(int row) { return QStringLiteral("%1~%2").arg(10 * (row - 1)).arg(10 * row); }

void writeDayFixedCells(QTableWidget* grid) {
    setCell(grid, 0, 0, QStringLiteral("分＼時"));
    for (int c = 1; c <= 24; ++c)
        setCell(grid, c, 0, QString::number(c - 1));
    for (int r = 1; r <= 6; ++r)
        setCell(grid, 0, r, minuteBlockLabel(r));
}

} // namespace moravel::data
