#include "app/ResultGridModel.h"

#include "app/QtText.h"
#include "report/ResultGrid.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

namespace {

QColor Background(RowColour colour)
{
    switch (colour) {
    case RowColour::White:
        return Qt::white;
    case RowColour::Red:
        return QColor(255, 0, 0);
    case RowColour::Silver:
        return QColor(192, 192, 192);
    }
    return Qt::white;
}

}

ResultGridModel::ResultGridModel(ResultGrid& grid, QObject* parent)
    : QAbstractTableModel(parent)
    , m_grid(grid)
    , m_shownRows(GridDataRows())
{
    m_grid.SetObserver([this](const ResultGrid&, ResultGrid::Change change, std::size_t row) {
        if (change == ResultGrid::Change::Reset)
            m_reset = true;
        else
            m_firstChanged = std::min(m_firstChanged, row);
    });
}

ResultGridModel::~ResultGridModel()
{
    m_grid.SetObserver(nullptr);
}

int ResultGridModel::GridDataRows() const
{
    return int(m_grid.RowCount()) - 1;
}

int ResultGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shownRows;
}

int ResultGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 4;
}

QVariant ResultGridModel::data(const QModelIndex& index, int role) const
{
    // The grid may run ahead of the table between flushes, or have been reset.
    if (!index.isValid() || index.row() >= m_shownRows || std::size_t(index.row()) + 1 >= m_grid.RowCount())
        return {};
    const GridRow& row = m_grid.Row(std::size_t(index.row()) + 1);
    switch (role) {
    case Qt::DisplayRole:
        return ShownText(row.cells[std::size_t(index.column())]);
    case Qt::BackgroundRole:
        return QBrush(Background(row.colour));
    case Qt::ForegroundRole:
        return QBrush(row.colour == RowColour::Red ? Qt::white : Qt::black);
    default:
        return {};
    }
}

QVariant ResultGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 3)
        return {};
    return ShownText(m_grid.Row(0).cells[std::size_t(section)]);
}

void ResultGridModel::Flush()
{
    int gridRows = GridDataRows();
    if (m_reset) {
        beginResetModel();
        m_shownRows = gridRows;
        m_reset = false;
        m_firstChanged = SIZE_MAX;
        endResetModel();
        emit headerDataChanged(Qt::Horizontal, 0, 3);
        return;
    }
    if (gridRows < m_shownRows) {
        beginRemoveRows({}, gridRows, m_shownRows - 1);
        m_shownRows = gridRows;
        endRemoveRows();
    }
    int changedFrom = m_firstChanged == SIZE_MAX ? m_shownRows : int(m_firstChanged) - 1;
    if (changedFrom < m_shownRows)
        emit dataChanged(index(std::max(changedFrom, 0), 0), index(m_shownRows - 1, 3));
    if (gridRows > m_shownRows) {
        beginInsertRows({}, m_shownRows, gridRows - 1);
        m_shownRows = gridRows;
        endInsertRows();
    }
    m_firstChanged = SIZE_MAX;
}
