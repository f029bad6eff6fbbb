#pragma once

#include <string>
#include <string_view>

/// Texts of page and reference paths, handled as the run defines them: both "/" and "\\"
/// separate names.
namespace PathText {

inline bool IsSeparator(char c) { return c == '/' || c == '\\'; }

/// Calls `f` with each name of `path`, in order; empty names (doubled separators) are skipped.
template<typename F> void ForEachName(std::string_view path, F&& f)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !IsSeparator(path[i]))
            continue;
        if (i > start)
            f(path.substr(start, i - start));
        start = i + 1;
    }
}

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
