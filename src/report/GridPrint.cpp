#include "report/GridPrint.h"

#include <algorithm>

namespace {

constexpr int Column0X = 150;
constexpr int Column1Gap = 30;
constexpr int RightMargin = 20;
constexpr int TopY = 40;
constexpr int BottomMargin = 100;
constexpr int RowSpacing = 10;
constexpr int ThinRule = 1;
constexpr int ThickRule = 3;

bool IsRed(const GridRow& row)
{
    return row.colour == RowColour::Red;
}

// The title row is measured in bold although it is printed in bold italic.
PrintStyle MeasureStyle(const GridRow& row, std::size_t index)
{
    return index == 0 || IsRed(row) ? PrintStyle::Bold : PrintStyle::Regular;
}

PrintStyle DrawStyle(const GridRow& row, std::size_t index)
{
    if (index == 0)
        return PrintStyle::BoldItalic;
    return IsRed(row) ? PrintStyle::Bold : PrintStyle::Regular;
}

int RuleThickness(bool thick)
{
    return thick ? ThickRule : ThinRule;
}

struct Columns {
    int x1 = 0;
    int ruleEnd = 0;
};

Columns Measure(PrintCanvas& canvas, std::span<const ResultGrid* const> grids)
{
    int w0 = 0;
    int w1 = 0;
    for (const ResultGrid* grid : grids) {
        for (std::size_t i = 0; i < grid->RowCount(); ++i) {
            const GridRow& row = grid->Row(i);
            PrintStyle style = MeasureStyle(row, i);
            w0 = std::max(w0, canvas.TextExtent(row.cells[0], style).width);
            w1 = std::max(w1, canvas.TextExtent(row.cells[1], style).width);
        }
    }
    // A wide second column may overlap the first rather than run off the page.
    int x1 = w0 + Column0X + Column1Gap;
    if (canvas.PageWidth() - RightMargin < x1 + w1)
        x1 = canvas.PageWidth() - w1 - RightMargin;
    return { x1, x1 + w1 };
}

}

void GridPrint::Print(PrintCanvas& canvas, std::span<const ResultGrid* const> grids)
{
    Columns columns = Measure(canvas, grids);
    int bottom = canvas.PageHeight() - BottomMargin;
    int y = TopY;
    for (const ResultGrid* grid : grids) {
        bool previousRed = false;
        for (std::size_t i = 0; i < grid->RowCount(); ++i) {
            const GridRow& row = grid->Row(i);
            PrintStyle style = DrawStyle(row, i);
            PrintInk ink = row.colour == RowColour::Silver ? PrintInk::Gray : PrintInk::Black;
            if (!row.cells[0].empty())
                canvas.DrawText(Column0X, y, row.cells[0], style, ink);
            if (!row.cells[1].empty())
                canvas.DrawText(columns.x1, y, row.cells[1], style, ink);
            canvas.DrawRule(y, Column0X, columns.ruleEnd, RuleThickness(IsRed(row) || previousRed));
            y += canvas.TextExtent(row.cells[0], style).height + RowSpacing;
            previousRed = IsRed(row);
            if (y > bottom) {
                canvas.DrawRule(y, Column0X, columns.ruleEnd, RuleThickness(previousRed));
                canvas.NewPage();
                y = TopY;
            }
        }
        canvas.DrawRule(y, Column0X, columns.ruleEnd, RuleThickness(previousRed));
    }
}
