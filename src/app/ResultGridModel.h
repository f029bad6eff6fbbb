#pragma once

#include <QAbstractTableModel>

class ResultGrid;

/// A result grid as a Qt table: the grid's title row is the header, its other rows are
/// the table's rows, coloured as the run coloured them. The grid changes for every
/// reference checked; the table catches up only when Flush is called, so a view repaints
/// a batch of rows at a time instead of one per check.
class ResultGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ResultGridModel(ResultGrid& grid, QObject* parent = nullptr);
    ~ResultGridModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    /// Tells the views what changed in the grid since the last flush.
    void Flush();

    ResultGrid& Grid() const { return m_grid; }

private:
    int GridDataRows() const;

    ResultGrid& m_grid;
    int m_shownRows = 0;
    bool m_reset = false;
    // First grid row changed since the last flush; rows after it may have changed too.
    std::size_t m_firstChanged = SIZE_MAX;
};
