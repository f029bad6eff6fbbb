#pragma once

#include "engine/AnalyseRun.h"
#include "net/THttpCli.h"
#include "support/ScriptedHost.h"

#include <string>
#include <vector>

/// Runs the engine over a folder with a scripted host and keeps everything it showed.
struct SiteRun {
    RunModels models;
    RunState state;
    ScriptedHost host;
    THttpCli http;
    RunOutcome outcome;
    RunRequest::Reading reading = RunRequest::Reading::Ahead;

    RunOutcome Run(const std::string& folder, const RunOptions& options, std::vector<std::string> selected,
        std::string startingFile = "index.html");

    /// The report's plain text with LF line ends, the total time replaced by "T".
    std::string Report() const;
    /// The pages the run took from its queue, by their headings in the report.
    std::vector<std::string> AnalysedPages() const;
    /// Rows of a grid as "reference|result|in file|colour", trailing blank row left out.
    static std::vector<std::string> Rows(const ResultGrid& grid);
    /// The result cell of the first row whose reference is `ref`.
    static std::string ResultOf(const ResultGrid& grid, const std::string& ref);
};

RunOptions TraceOptions();
