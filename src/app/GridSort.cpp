#include "app/GridSort.h"

#include "report/ResultGrid.h"

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

namespace {

/// Writes `rows` over the grid from grid row `first` on.
void WriteRows(ResultGrid& grid, std::size_t first, const std::vector<GridRow>& rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        for (std::size_t c = 0; c < 4; ++c)
            grid.SetCell(first + i, c, rows[i].cells[c]);
        grid.SetColour(first + i, rows[i].colour);
    }
}

}

void SortGridRows(ResultGrid& grid, std::size_t column)
{
    if (grid.RowCount() < 3 || column > 3)
        return;
    // Sorted as indices, so each step swaps two numbers rather than four texts.
    std::vector<std::size_t> order(grid.RowCount() - 1);
    std::iota(order.begin(), order.end(), std::size_t(1));
    auto key = [&](std::size_t row) { return grid.Row(row).cells[column]; };
    for (std::size_t place = 0; place + 1 < order.size(); ++place) {
        std::size_t smallest = place;
        for (std::size_t i = place + 1; i < order.size(); ++i) {
            if (key(order[i]) < key(order[smallest]))
                smallest = i;
        }
        std::swap(order[place], order[smallest]);
    }
    std::vector<GridRow> sorted;
    sorted.reserve(order.size());
    for (std::size_t row : order)
        sorted.push_back(grid.Row(row));
    WriteRows(grid, 1, sorted);
}

void MoveGridRow(ResultGrid& grid, std::size_t from, std::size_t to)
{
    if (from == 0 || to == 0 || from == to || std::max(from, to) >= grid.RowCount())
        return;
    std::size_t first = std::min(from, to);
    std::vector<GridRow> rows;
    for (std::size_t row = first; row <= std::max(from, to); ++row)
        rows.push_back(grid.Row(row));
    if (from < to)
        std::rotate(rows.begin(), rows.begin() + 1, rows.end());
    else
        std::rotate(rows.rbegin(), rows.rbegin() + 1, rows.rend());
    WriteRows(grid, first, rows);
}
