#pragma once

#include <string>

/// The folder of the test fixtures ($TARVIK_FIXTURES, set by ctest).
std::string FixturesFolder();

std::string ReadWholeFile(const std::string& path);

/// A report or JSON text with its timings ("Total Response Time", "secs") replaced by
/// fixed marks, so runs can be compared whole.
std::string WithoutTimes(const std::string& text);
