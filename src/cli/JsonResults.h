#pragma once

#include "engine/AnalyseRun.h"
#include "engine/ReferencePlaces.h"
#include "platform/AtomicFile.h"
#include "report/ResultGrid.h"

#include <string>
#include <string_view>

/// The machine-readable results of a run: the rows of both grids, the error count and
/// verdict, the pages not analysed and the files not used. A cell or name that is not
/// UTF-8 is written with U+FFFD in its string and its exact bytes in base64 beside it:
/// the field "refBytes", "resultBytes", "inFileBytes" or "secsBytes" in its row, and the
/// arrays "notAnalysedBytes" and "unusedBytes" (null where a name is UTF-8). A row of a
/// reference also gives the line where it first stands and every later place.
std::string ResultsJson(const ResultGrid& links, const ResultGrid& images, const ReferencePlaces& places,
    const RunOutcome& outcome);
/// The same text in pieces of some tens of kilobytes: a large site's results run to
/// hundreds of megabytes, which are never held whole.
void WriteResultsJson(const TextSink& sink, const ResultGrid& links, const ResultGrid& images,
    const ReferencePlaces& places, const RunOutcome& outcome);
/// The same text in two parts: the rows, which are final once every page is checked, and
/// the end, which needs the run's outcome.
void WriteResultRows(const TextSink& sink, const ResultGrid& links, const ResultGrid& images,
    const ReferencePlaces& places);
std::string ResultsJsonEnd(const RunOutcome& outcome);

/// A JSON string literal of bytes: valid UTF-8 passes through, each byte that is not
/// part of a valid UTF-8 sequence becomes U+FFFD.
std::string JsonString(std::string_view bytes);
/// Appends JsonString(bytes); false when a byte had to be replaced.
bool AppendJsonString(std::string& out, std::string_view bytes);
