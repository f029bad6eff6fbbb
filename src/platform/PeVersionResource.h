#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

/// Finds the version-information resource of a Windows executable or library (PE32 or
/// PE32+): the block the system's version API hands out, which VersionInfoBlock then
/// answers queries on. The image is hostile input: every offset is checked against it,
/// the resource directory is walked to its fixed depth (type, name, language) without
/// recursion, so a directory that points back at itself ends the walk, and nothing larger
/// than the image is ever allocated. Anything malformed gives nothing.
namespace PeVersionResource {

std::optional<std::vector<std::uint8_t>> FromImage(std::span<const std::uint8_t> image);

/// Reads only the parts of the file the walk needs; a missing file, a folder or any other
/// non-regular file gives nothing.
std::optional<std::vector<std::uint8_t>> FromFile(const std::string& path);

}
