#pragma once

#include <cstddef>

class ResultGrid;

/// Orders the rows below the title row ascending by the text of `column`, compared byte
/// by byte (upper case before lower case). Whole rows move, colours with them. It is a
/// selection sort, as users know it: the smallest remaining row is swapped into each
/// place in turn, so rows with equal keys may change their order.
void SortGridRows(ResultGrid& grid, std::size_t column);
