#pragma once

#include <string>
#include <string_view>

/// Writes a whole file under a temporary name in the target's folder and renames it over
/// the target, so an interrupted save never leaves half a file or loses the old one.
/// Returns an empty text on success, else a message naming the file and the reason.
std::string WriteFileAtomically(const std::string& path, std::string_view content);
