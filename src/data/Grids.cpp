#include "data/Grids.h"

#include "common/DateText.h"

#include <QHash>
#include <QHeaderView>
#include <QTableWidget>

namespace moravel::data {

namespace {

struct Staged {
    QHash<QTableWidgetItem*, QString> texts;
    QList<QTableWidgetItem*> order;
};

GridBatch* g_batch = nullptr;
Staged* g_staged = nullptr;

void apply(QTableWidgetItem* item, const QString& text) {
    if (item->text() != text)
        item->setText(text);
}

} // namespace

GridBatch::GridBatch() : m_outer(g_batch) {
    if (!g_batch)
        g_staged = new Staged;
    g_batch = this;
}

GridBatch::~GridBatch() {
    g_batch = m_outer;
    if (g_batch)
        return;
    Staged* staged = g_staged;
    g_staged = nullptr;
    // The model tells its views once per grid, about the cells' whole rectangle, instead of once
    // per cell.
    QList<QTableWidget*> grids;
    for (QTableWidgetItem* item : std::as_const(staged->order)) {
        QTableWidget* grid = item->tableWidget();
        const QString& text = staged->texts[item];
        if (!grid || item->text() == text)
            continue;
        if (!grids.contains(grid)) {
            grids.append(grid);
            grid->model()->blockSignals(true);
        }
        item->setText(text);
    }
    for (QTableWidget* grid : std::as_const(grids)) {
        QAbstractItemModel* model = grid->model();
        model->blockSignals(false);
        emit model->dataChanged(model->index(0, 0),
                                model->index(model->rowCount() - 1, model->columnCount() - 1),
                                {Qt::DisplayRole});
    }
    delete staged;
}

void initGrid(QTableWidget* grid, int columns, int rows, int firstColumnWidth, int columnWidth,
              int rowHeight) {
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
    QTableWidgetItem* item = grid->item(row, column);
    if (!item)
        return;
    if (g_staged) {
        auto it = g_staged->texts.find(item);
        if (it == g_staged->texts.end()) {
            g_staged->texts.insert(item, text);
            g_staged->order.append(item);
        } else {
            *it = text;
        }
        return;
    }
    apply(item, text);
}

QString cell(const QTableWidget* grid, int column, int row) {
    QTableWidgetItem* item = grid->item(row, column);
    if (!item)
        return QString();
    if (g_staged) {
        const auto it = g_staged->texts.constFind(item);
        if (it != g_staged->texts.constEnd())
            return *it;
    }
    return item->text();
}

void writeDayFixedCells(QTableWidget* grid) {
    setCell(grid, 0, 0, QStringLiteral("分＼時"));
    for (int c = 1; c <= 24; ++c)
        setCell(grid, c, 0, QString::number(c - 1));
    for (int r = 1; r <= 6; ++r)
        setCell(grid, 0, r, minuteBlockLabel(r));
}

} // namespace moravel::data
