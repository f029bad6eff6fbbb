#pragma once

#include "report/ReportDocument.h"
#include "report/ReportLine.h"

#include <string>

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

private:
    ReportDocument& m_document;
};
