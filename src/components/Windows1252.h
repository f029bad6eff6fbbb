#pragma once

#include <string>
#include <string_view>

/// Converts UTF-8 text to the Windows-1252 code page that a resource script declares for
/// its strings (the "04E4" of "080904E4"). Characters that code page lacks become "?";
/// bytes that are not UTF-8 are kept as they are, taken to be 8-bit text already.
std::string ToWindows1252(std::string_view utf8);
