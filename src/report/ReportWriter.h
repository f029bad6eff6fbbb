#pragma once

#include "report/ReportDocument.h"
#include "report/ReportLine.h"

#include <string>

class HtmlReport;

/// The one way report lines are written: each goes to the report document (and, once an
/// HTML report is being built, to it as well).
class ReportWriter {
public:
    explicit ReportWriter(ReportDocument& document)
        : m_document(document)
    {
    }

    void WriteReportLine(std::string text, ReportStyle style, int sizeStep, ReportColour colour,
        KeepWhenFailedOnly keep = KeepWhenFailedOnly::No);

    /// Lines written from now on also go to `report`; nullptr stops that.
    void SetHtmlReport(HtmlReport* report) { m_htmlReport = report; }

private:
    ReportDocument& m_document;
    HtmlReport* m_htmlReport = nullptr;
};
