#include "app/QtPrintCanvas.h"

#include "app/QtText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace {

QFont PrinterFont(PrintStyle style)
{
    QFont font("Arial", 8);
    // Qt's matching takes the hint when the family is not installed.
    font.setStyleHint(QFont::SansSerif);
    font.setBold(style != PrintStyle::Regular);
    font.setItalic(style == PrintStyle::BoldItalic);
    return font;
}

}

QtPrintCanvas::QtPrintCanvas(QPrinter& printer, QPainter& painter)
    : m_printer(printer)
    , m_painter(painter)
    , m_fonts { PrinterFont(PrintStyle::Regular), PrinterFont(PrintStyle::Bold),
        PrinterFont(PrintStyle::BoldItalic) }
{
}

const QFont& QtPrintCanvas::Font(PrintStyle style) const
{
    return m_fonts[std::size_t(style)];
}

int QtPrintCanvas::PageWidth() const
{
    return m_printer.width();
}

int QtPrintCanvas::PageHeight() const
{
    return m_printer.height();
}

TextSize QtPrintCanvas::TextExtent(std::string_view text, PrintStyle style)
{
    QFontMetrics metrics(Font(style), &m_printer);
    return { metrics.horizontalAdvance(ShownText(std::string(text))), metrics.height() };
}

void QtPrintCanvas::DrawText(int x, int y, std::string_view text, PrintStyle style, PrintInk ink)
{
    m_painter.setFont(Font(style));
    m_painter.setPen(ink == PrintInk::Gray ? QColor(128, 128, 128) : QColor(Qt::black));
    // The painter places text by its baseline; the layout gives the top.
    m_painter.drawText(x, y + QFontMetrics(Font(style), &m_printer).ascent(), ShownText(std::string(text)));
}

void QtPrintCanvas::DrawRule(int y, int fromX, int toX, int thickness)
{
    m_painter.fillRect(fromX, y - thickness / 2, toX - fromX, thickness, Qt::black);
}

void QtPrintCanvas::NewPage()
{
    m_printer.newPage();
}
