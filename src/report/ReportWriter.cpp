#include "report/ReportWriter.h"

void ReportWriter::WriteReportLine(std::string text, ReportStyle style, int sizeStep, ReportColour colour,
    KeepWhenFailedOnly keep)
{
    m_document.Append({ std::move(text), style, sizeStep, colour, keep });
}
