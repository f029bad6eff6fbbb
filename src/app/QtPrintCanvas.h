#pragma once

#include "report/PrintCanvas.h"

#include <QFont>
#include <array>

class QPainter;
class QPrinter;

/// The grid printout's page on a Qt printer, painted by a painter already begun on it:
/// Arial 8 points, or the platform's sans-serif font where Arial is missing.
class QtPrintCanvas : public PrintCanvas {
public:
    QtPrintCanvas(QPrinter& printer, QPainter& painter);

    int PageWidth() const override;
    int PageHeight() const override;
    TextSize TextExtent(std::string_view text, PrintStyle style) override;
    void DrawText(int x, int y, std::string_view text, PrintStyle style, PrintInk ink) override;
    void DrawRule(int y, int fromX, int toX, int thickness) override;
    void NewPage() override;

private:
    const QFont& Font(PrintStyle style) const;

    QPrinter& m_printer;
    QPainter& m_painter;
    std::array<QFont, 3> m_fonts;
};
