#pragma once

#include "engine/ReferencePlaces.h"
#include "report/ResultGrid.h"

#include <string>

/// The run as a SARIF 2.1.0 log, as code-scanning services read it: one rule per kind of
/// fault (missing file, letter-case mismatch, missing anchor, failed external address)
/// and one result per place of a broken reference, located by the page's path relative
/// to the site's folder and the line.
std::string SarifLog(const ResultGrid& links, const ResultGrid& images, const ReferencePlaces& places);
