#pragma once

#include <cstddef>

class ResultGrid;

/// Orders the rows below the title row ascending by the text of `column`, compared byte
/// by byte (upper case before lower case). Whole rows move, colours with them. It is a
/// selection sort, as users know it: the smallest remaining row is swapped into each
/// place in turn, so rows with equal keys may change their order.
void SortGridRows(ResultGrid& grid, std::size_t column);
/// Moves the row below the title row at `from` to `to` (grid row numbers), the rows
/// between shifting by one, as a user drags a row. Out-of-range rows change nothing.
void MoveGridRow(ResultGrid& grid, std::size_t from, std::size_t to);
