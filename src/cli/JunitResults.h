#pragma once

#include "engine/ReferencePlaces.h"
#include "report/ResultGrid.h"

#include <string>

/// The run as JUnit XML, as CI systems show test results: one test suite, one test case
/// per analysed page, one failure per place of a broken reference in that page (its
/// message the reference and its result, its text "page:line"). Text that is not UTF-8
/// or not allowed in XML is written as U+FFFD.
std::string JunitXml(const ResultGrid& links, const ResultGrid& images, const ReferencePlaces& places);
