#pragma once

#include "platform/PathNames.h"

#include <string>
#include <string_view>

/// Texts of page and reference paths, handled as the run defines them: both "/" and "\\"
/// separate names.
namespace PathText {

using PathNames::ForEachName;
using PathNames::IsSeparator;

/// Drops "./" segments, leaving every "../" (and what follows the first one) alone.
std::string RemoveDotSegments(std::string path);

/// Resolves "." and ".." by name and joins with "/": "a/b/../c.gif" becomes "a/c.gif".
/// A ".." that climbs above the start is kept.
std::string Normalize(std::string_view path);
/// How many names Normalize leaves, without making its text.
std::size_t NormalizedNameCount(std::string_view path);

/// `path` written from `folder`; both absolute, without "." or ".." names.
std::string RelativeTo(std::string_view folder, std::string_view path);

/// The page's folder: its text up to and including the last separator after the first
/// character; empty when there is none.
std::string FolderOf(std::string_view page);

/// The extension of the last name, from its last "." ("" when it has none).
std::string_view ExtensionOf(std::string_view path);

}
