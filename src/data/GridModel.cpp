#include "data/GridModel.h"

#include "common/DateText.h"

#include <QAbstractItemView>
#include <QBrush>
#include <QColor>
#include <QHeaderView>
#include <QTableView>

namespace moravel::data {

namespace {

// The order of all writes to all grids: a grid over another compares its cells' times with the
// base's. Grids live on the user-interface thread.
quint64 g_clock = 0;

} // namespace

GridModel::GridModel(int columns, int rows, QObject* parent, const GridModel* base)
    : QAbstractTableModel(parent), m_columns(columns), m_rows(rows),
      m_cells(static_cast<size_t>(columns) * static_cast<size_t>(rows)), m_base(base) {
    if (m_base)
        connect(m_base, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                    emit dataChanged(index(topLeft.row(), topLeft.column()),
                                     index(bottomRight.row(), bottomRight.column()), {Qt::DisplayRole});
                });
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns;
}

GridModel::Cell& GridModel::own(int column, int row) {
    return m_cells[static_cast<size_t>(row) * static_cast<size_t>(m_columns) + static_cast<size_t>(column)];
}

const GridModel::Cell& GridModel::own(int column, int row) const {
    return m_cells[static_cast<size_t>(row) * static_cast<size_t>(m_columns) + static_cast<size_t>(column)];
}

const GridModel::Cell& GridModel::at(int column, int row) const {
    const Cell& mine = own(column, row);
    if (m_base && column < m_base->m_columns && row < m_base->m_rows) {
        const Cell& base = m_base->at(column, row);
        if (base.written > mine.written)
            return base;
    }
    return mine;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows || index.column() >= m_columns)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        const Cell& c = at(index.column(), index.row());
        return c.set ? QVariant(c.text) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::BackgroundRole:
        if (index.row() == 0 || index.column() == 0)
            return QBrush(QColor(0x16, 0x22, 0x2d));
        return QVariant();
    default:
        return QVariant();
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void GridModel::setCell(int column, int row, const QString& text) {
    if (column < 0 || row < 0 || column >= m_columns || row >= m_rows)
        return;
    Cell& c = own(column, row);
    c.written = ++g_clock;
    if (m_batches > 0) {
        if (!c.isStaged)
            m_staged.push_back(row * m_columns + column);
        c.staged = text;
        c.isStaged = true;
        return;
    }
    if (c.text == text)
        return;
    c.text = text;
    c.set = true;
    emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
}

QString GridModel::cell(int column, int row) const {
    if (column < 0 || row < 0 || column >= m_columns || row >= m_rows)
        return QString();
    const Cell& c = at(column, row);
    return c.isStaged ? c.staged : c.text;
}

void GridModel::endBatch() {
    bool changed = false;
    for (int k : m_staged) {
        Cell& c = m_cells[static_cast<size_t>(k)];
        c.isStaged = false;
        if (c.text == c.staged)
            continue;
        c.text = c.staged;
        c.set = true;
        changed = true;
    }
    m_staged.clear();
    // The views are told once, about the cells' whole rectangle.
    if (changed)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1), {Qt::DisplayRole});
}

GridModel::Batch::Batch(std::initializer_list<GridModel*> grids) : m_grids(grids) {
    for (GridModel* g : m_grids)
        if (g)
            ++g->m_batches;
}

GridModel::Batch::~Batch() {
    for (GridModel* g : m_grids)
        if (g && --g->m_batches == 0)
            g->endBatch();
}

void initGridView(QTableView* view, int firstColumnWidth, int columnWidth, int rowHeight) {
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::NoSelection);
    view->setFocusPolicy(Qt::NoFocus);
    view->setWordWrap(false);
    const QAbstractItemModel* model = view->model();
    for (int c = 0; c < model->columnCount(); ++c)
        view->setColumnWidth(c, c == 0 ? firstColumnWidth : columnWidth);
    for (int r = 0; r < model->rowCount(); ++r)
        view->setRowHeight(r, rowHeight);
}

void writeDayFixedCells(GridModel& grid) {
    grid.setCell(0, 0, QStringLiteral("分＼時"));
    for (int c = 1; c <= 24; ++c)
        grid.setCell(c, 0, QString::number(c - 1));
    for (int r = 1; r <= 6; ++r)
        grid.setCell(0, r, minuteBlockLabel(r));
}

QString cell(const QAbstractItemView* view, int column, int row) {
    const QAbstractItemModel* model = view->model();
    return model ? model->index(row, column).data().toString() : QString();
}

TextRowsModel::TextRowsModel(const QStringList& headings, QObject* parent)
    : QAbstractTableModel(parent), m_headings(headings) {}

int TextRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TextRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_headings.size());
}

QVariant TextRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const QStringList& row = m_rows[index.row()];
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return index.column() < row.size() ? QVariant(row[index.column()]) : QVariant();
    if (role == Qt::TextAlignmentRole && index.column() < row.size())
        return int(Qt::AlignCenter);
    return QVariant();
}

QVariant TextRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_headings.size())
        return m_headings[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags TextRowsModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TextRowsModel::setRows(const QList<QStringList>& rows) {
    const int before = static_cast<int>(m_rows.size());
    const int after = static_cast<int>(rows.size());
    if (after < before) {
        beginRemoveRows(QModelIndex(), after, before - 1);
        m_rows = rows;
        endRemoveRows();
    } else if (after > before) {
        beginInsertRows(QModelIndex(), before, after - 1);
        m_rows = rows;
        endInsertRows();
    } else {
        m_rows = rows;
    }
    if (after > 0)
        emit dataChanged(index(0, 0), index(after - 1, columnCount() - 1));
}

} // namespace moravel::data
