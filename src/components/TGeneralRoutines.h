#pragma once

#include <string>
#include <string_view>

/// Folder and string helpers of the component library.
namespace TGeneralRoutines {

/// Whether the path is a folder that could be made the current folder.
bool DirectoryExists(const std::string& path);
/// The last character of a text; an empty text throws std::out_of_range.
char GetLastChar(std::string_view text);
char LastChar(std::string_view text);
/// The path with a trailing "/" unless it has one; an empty path throws std::out_of_range.
std::string AddDirSlash(std::string_view path);

}
