#include "report/ReportWriter.h"

#include "report/HtmlReport.h"

void ReportWriter::WriteReportLine(std::string text, ReportStyle style, int sizeStep, ReportColour colour,
    KeepWhenFailedOnly keep)
{
    ReportLine line { text, style, std::int8_t(sizeStep), colour, keep };
    if (m_htmlReport)
        m_htmlReport->Add(line);
    m_document.Append(line);
}
