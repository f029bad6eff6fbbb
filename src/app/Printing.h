#pragma once

#include <span>

class QPlainTextEdit;
class QPrinter;
class QWidget;
class ReportDocument;
class ResultGrid;

/// The window's printouts, each one document titled "Tarvik". Choosing the printer is a
/// step of its own, so a printout can also go straight to a file.
namespace Printing {

/// The platform's print dialog; false on Cancel.
bool AskPrinter(QPrinter& printer, QWidget* parent);
/// The grids one after the other, each continuing on the page the one before ended on.
void PrintGrids(QPrinter& printer, std::span<const ResultGrid* const> grids);
/// The report as the report tab shows it: each line's style, size and colour kept.
void PrintReport(QPrinter& printer, const ReportDocument& report);
/// A text box's contents as it shows them.
void PrintTextBox(QPrinter& printer, const QPlainTextEdit& box);

}
