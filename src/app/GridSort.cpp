#include "app/GridSort.h"

#include "report/ResultGrid.h"

#include <numeric>
#include <utility>
#include <vector>

void SortGridRows(ResultGrid& grid, std::size_t column)
{
    if (grid.RowCount() < 3 || column > 3)
        return;
    // Sorted as indices, so each step swaps two numbers rather than four texts.
    std::vector<std::size_t> order(grid.RowCount() - 1);
    std::iota(order.begin(), order.end(), std::size_t(1));
    auto key = [&](std::size_t row) -> const std::string& { return grid.Row(row).cells[column]; };
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
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        for (std::size_t c = 0; c < 4; ++c)
            grid.SetCell(i + 1, c, std::move(sorted[i].cells[c]));
        grid.SetColour(i + 1, sorted[i].colour);
    }
}
