#include "engine/PathText.h"

#include <vector>

namespace PathText {

namespace {

std::vector<std::string_view> NamesOf(std::string_view path)
{
    std::vector<std::string_view> names;
    ForEachName(path, [&](std::string_view name) { names.push_back(name); });
    return names;
}

}

std::string RemoveDotSegments(std::string path)
{
    if (path.rfind("./", 0) == 0)
        path.erase(0, 2);
    for (std::size_t at = path.find("./"); at != std::string::npos; at = path.find("./", at)) {
        if (at > 0 && path[at - 1] == '.')
            break;
        path.erase(at, 2);
    }
    return path;
}

std::string Normalize(std::string_view path)
{
    // Reused: the run normalizes a path for every link it finds.
    thread_local std::vector<std::string_view> names;
    names.clear();
    ForEachName(path, [](std::string_view name) {
        if (name == ".")
            return;
        if (name == ".." && !names.empty() && names.back() != "..")
            names.pop_back();
        else
            names.push_back(name);
    });
    std::string out = !path.empty() && IsSeparator(path.front()) ? "/" : "";
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            out += '/';
        out += names[i];
    }
    return out;
}

std::size_t NormalizedNameCount(std::string_view path)
{
    // Normalize's names are some ".." and then names that are not: a ".." takes away the
    // last of those, or adds to the first when there is none.
    std::size_t climbs = 0;
    std::size_t names = 0;
    ForEachName(path, [&](std::string_view name) {
        if (name == ".")
            return;
        if (name != "..")
            ++names;
        else if (names > 0)
            --names;
        else
            ++climbs;
    });
    return climbs + names;
}

std::string RelativeTo(std::string_view folder, std::string_view path)
{
    std::vector<std::string_view> from = NamesOf(folder);
    std::vector<std::string_view> to = NamesOf(path);
    std::size_t common = 0;
    while (common < from.size() && common < to.size() && from[common] == to[common])
        ++common;
    std::string out;
    for (std::size_t i = common; i < from.size(); ++i)
        out += "../";
    for (std::size_t i = common; i < to.size(); ++i) {
        if (i > common)
            out += '/';
        out += to[i];
    }
    return out;
}

std::string FolderOf(std::string_view page)
{
    for (std::size_t k = page.size(); k-- > 1;)
        if (IsSeparator(page[k]))
            return std::string(page.substr(0, k + 1));
    return {};
}

std::string_view ExtensionOf(std::string_view path)
{
    std::size_t nameStart = 0;
    for (std::size_t i = 0; i < path.size(); ++i)
        if (IsSeparator(path[i]))
            nameStart = i + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < nameStart)
        return {};
    return path.substr(dot);
}

}
