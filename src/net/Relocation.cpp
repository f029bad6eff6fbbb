#include "net/Relocation.h"

#include "net/Url.h"

#include <vector>

namespace {

std::string Joined(std::string_view folderPath, std::string_view reference)
{
    return std::string(folderPath) + std::string(reference);
}

std::string FolderOf(std::string_view path)
{
    path = path.substr(0, path.find('?'));
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return "/";
    return std::string(path.substr(0, slash + 1));
}

}

std::string OriginOf(const RequestTarget& target)
{
    std::string origin = target.protocol + "://" + target.host;
    if (!target.port.empty() && target.port != DefaultPortOf(target.protocol))
        origin += ":" + target.port;
    return origin;
}

std::string RemoveDotSegments(std::string_view path)
{
    const auto queryStart = path.find('?');
    const std::string_view query = queryStart == std::string_view::npos ? "" : path.substr(queryStart);
    std::string_view rest = path.substr(0, queryStart);

    std::vector<std::string_view> segments;
    bool endsInFolder = false;
    while (!rest.empty()) {
        if (rest.front() == '/')
            rest.remove_prefix(1);
        const auto slash = rest.find('/');
        const std::string_view segment = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (segment != ".") {
            segments.push_back(segment);
        }
        if (rest.empty() || rest == "/") {
            endsInFolder = rest == "/" || segment == "." || segment == "..";
            break;
        }
    }
    std::string result;
    for (auto segment : segments)
        result += "/" + std::string(segment);
    if (result.empty() || endsInFolder)
        result += "/";
    return result + std::string(query);
}

Relocation ResolveRelocation(const RequestTarget& current, std::string_view value)
{
    value = value.substr(0, value.find('#'));
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.remove_suffix(1);
    std::string owned;
    if (value.substr(0, 2) == "//") {
        owned = current.protocol + ":" + std::string(value);
        value = owned;
    }

    Relocation relocation { current, {} };
    RequestTarget& next = relocation.target;
    if (!value.empty() && value.front() == '/') {
        next.path = RemoveDotSegments(value);
        relocation.location = OriginOf(next) + next.path;
        return relocation;
    }

    const UrlParts parts = ParseUrl(value);
    if (!parts.protocol.empty() && !parts.host.empty()) {
        next.protocol = parts.protocol;
        next.host = parts.host;
        next.port = parts.port.empty() ? DefaultPortOf(parts.protocol) : parts.port;
        next.path = parts.path.empty()
            ? "/"
            : RemoveDotSegments(Joined(parts.path.front() == '?' ? "/" : "", parts.path));
        relocation.location = OriginOf(next) + (parts.path.empty() ? "" : next.path);
        return relocation;
    }

    // A relative reference; "http:page.html" names a page relative to the current one too.
    const std::string_view reference = parts.protocol.empty() ? value : std::string_view(parts.path);
    if (reference.empty())
        next.path = current.path;
    else if (reference.front() == '?')
        next.path = Joined(current.path.substr(0, current.path.find('?')), reference);
    else
        next.path = RemoveDotSegments(Joined(FolderOf(current.path), reference));
    relocation.location = OriginOf(next) + next.path;
    return relocation;
}
