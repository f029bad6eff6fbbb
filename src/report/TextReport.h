#pragma once

#include "platform/StringList.h"
#include "report/ReportWriter.h"
#include "report/ResultLists.h"
#include "report/RunLabels.h"

#include <string>

/// What the report's sections are written from.
struct TextReportInputs {
    const ResultLists& lists;
    const StringList& PagesToCheck;
    bool ReportIntImages = true;
    bool ReportLinks = true;
    bool ReportExtImages = false;
    bool ReportExtLinks = true;
    bool ListUnchecked = true;
    bool AbortRequested = false;
    /// Number of files selected in the file list; it decides the wording's plurals.
    std::size_t selectionCount = 0;
};

enum class ReportScope { WholeRun, OnePage };

/// The fixed wording of the text report: page headings, the result sections with their
/// plural rules, the error verdict, the closing block and the total time.
namespace TextReport {

void WritePageHeading(ReportWriter& writer, const std::string& page);
void WriteSections(ReportWriter& writer, RunLabels& labels, const TextReportInputs& in, bool withImages,
    bool withLinks, ReportScope scope);
void WriteVerdict(ReportWriter& writer, bool errors);
/// The pages not analysed (when there are any), then with `reportUnused` the files no
/// page uses, which are sorted here.
void WriteClosingBlock(ReportWriter& writer, RunLabels& labels, const StringList& filesNotAnalysed,
    StringList& unusedFiles, bool reportUnused);
void WriteTotalTime(ReportWriter& writer, double seconds);

/// The part of a page name after its last backslash or colon, as the grids and the
/// closing block show it.
std::string FileNamePart(const std::string& page);

}
