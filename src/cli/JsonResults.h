#pragma once

#include "engine/AnalyseRun.h"
#include "report/ResultGrid.h"

#include <string>
#include <string_view>

/// The machine-readable results of a run: the rows of both grids, the error count and
/// verdict, the pages not analysed and the files not used.
std::string ResultsJson(const ResultGrid& links, const ResultGrid& images, const RunOutcome& outcome);

/// A JSON string literal of bytes: valid UTF-8 passes through, every other byte is
/// written as the character of that code (\u00XX).
std::string JsonString(std::string_view bytes);
void AppendJsonString(std::string& out, std::string_view bytes);
