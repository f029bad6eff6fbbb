#pragma once

#include "report/PrintCanvas.h"
#include "report/ResultGrid.h"

#include <span>

/// Prints the first two columns of one or more result grids one after the other, the
/// next grid continuing on the same page: the title row in bold italic, red rows in bold
/// framed by thick rules, silver rows in gray, a rule above every row and below each grid,
/// and a new page whenever a row ends past the page's usable bottom.
namespace GridPrint {

void Print(PrintCanvas& canvas, std::span<const ResultGrid* const> grids);

}
