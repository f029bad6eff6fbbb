#include "app/Printing.h"

#include "app/QtPrintCanvas.h"
#include "app/QtText.h"
#include "app/ReportLineLook.h"
#include "report/GridPrint.h"
#include "report/ReportDocument.h"

#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace {

const QString DocumentTitle = "Tarvik";

}

bool Printing::AskPrinter(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName("PrintDialog");
    return dialog.exec() == QDialog::Accepted;
}

void Printing::PrintGrids(QPrinter& printer, std::span<const ResultGrid* const> grids)
{
    printer.setDocName(DocumentTitle);
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    QtPrintCanvas canvas(printer, painter);
    GridPrint::Print(canvas, grids);
    painter.end();
}

void Printing::PrintReport(QPrinter& printer, const ReportDocument& report)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextBlockFormat paragraph;
    // The report tab's margins, in points.
    paragraph.setLeftMargin(20);
    paragraph.setRightMargin(5);
    bool first = true;
    for (const ReportLine& line : report.Lines()) {
        QTextCharFormat look;
        look.setFont(ReportLineFont(line));
        look.setForeground(ReportTextColour(line.colour));
        // A line that begins with CR LF shows an empty line before it, as on the screen.
        for (const QString& piece : ShownText(line.text).split("\r\n")) {
            if (!first)
                cursor.insertBlock(paragraph);
            else
                cursor.setBlockFormat(paragraph);
            first = false;
            cursor.insertText(piece, look);
        }
    }
    printer.setDocName(DocumentTitle);
    document.print(&printer);
}

void Printing::PrintTextBox(QPrinter& printer, const QPlainTextEdit& box)
{
    printer.setDocName(DocumentTitle);
    box.print(&printer);
}
