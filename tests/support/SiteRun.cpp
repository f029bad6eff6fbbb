#include "support/SiteRun.h"

#include "platform/FileSystem.h"

#include <regex>

RunOutcome SiteRun::Run(const std::string& folder, const RunOptions& options, std::vector<std::string> selected,
    std::string startingFile)
{
    RunRequest request;
    request.options = options;
    request.folder = folder;
    request.selectedFiles = std::move(selected);
    request.startingFile = std::move(startingFile);
    request.fileList = FileSystem(folder).FileNames("");
    request.reading = reading;
    outcome = AnalyseRun(state, models, host, http).Run(request);
    return outcome;
}

std::string SiteRun::Report() const
{
    static const std::regex time("Total Response Time: [0-9.]+ secs\\.");
    return std::regex_replace(models.Report.PlainText("\n"), time, "Total Response Time: T secs.");
}

std::vector<std::string> SiteRun::AnalysedPages() const
{
    std::vector<std::string> pages;
    for (const ReportLine& line : models.Report.Lines())
        if (line.style == ReportStyle::BoldItalic && line.colour == ReportColour::Green)
            pages.emplace_back(line.text);
    return pages;
}

std::vector<std::string> SiteRun::Rows(const ResultGrid& grid)
{
    static const char* const colours[] = { "white", "red", "silver" };
    std::vector<std::string> rows;
    for (std::size_t r = 1; r < grid.RowCount(); ++r) {
        const GridRow& row = grid.Row(r);
        if (row.cells[0].empty() && row.cells[1].empty() && row.cells[2].empty())
            continue;
        rows.push_back(std::string(row.cells[0]).append("|").append(row.cells[1]).append("|").append(row.cells[2]).append("|").append(colours[int(row.colour)]));
    }
    return rows;
}

std::string SiteRun::ResultOf(const ResultGrid& grid, const std::string& ref)
{
    for (std::size_t r = 1; r < grid.RowCount(); ++r)
        if (grid.Row(r).cells[0] == ref)
            return std::string(grid.Row(r).cells[1]);
    return "(no row)";
}

RunOptions TraceOptions()
{
    RunOptions options;
    options.TraceIntoLinks = true;
    return options;
}
