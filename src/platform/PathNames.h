#pragma once

#include <cstddef>
#include <string_view>

/// The names of a path as the site's pages write them: both "/" and "\\" separate names.
namespace PathNames {

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

}
