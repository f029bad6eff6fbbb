#include "net/HttpHeaderLine.h"

#include "platform/CaseFold.h"

#include <charconv>

namespace HttpHeaderLine {

bool IsStatusLine(std::string_view line)
{
    return line.substr(0, 8) == "HTTP/1.0" || line.substr(0, 8) == "HTTP/1.1";
}

std::optional<Status> ParseStatus(std::string_view statusLine)
{
    if (!IsStatusLine(statusLine) || statusLine.size() < 12 || statusLine[8] != ' ')
        return std::nullopt;
    Status status;
    for (char c : statusLine.substr(9, 3)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        status.code = status.code * 10 + (c - '0');
    }
    if (statusLine.size() > 12 && statusLine[12] != ' ')
        return std::nullopt;
    if (statusLine.size() > 13)
        status.reason = statusLine.substr(13);
    return status;
}

std::optional<Field> SplitField(std::string_view line)
{
    const auto colon = line.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    std::string_view value = line.substr(colon + 1);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.remove_prefix(1);
    return Field { CaseFold::LowerCase(line.substr(0, colon)), value };
}

std::optional<long long> ParseContentLength(std::string_view value)
{
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.remove_suffix(1);
    long long length = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), length);
    if (error != std::errc() || end != value.data() + value.size() || value.empty() || length < 0)
        return std::nullopt;
    return length;
}

std::optional<ContentRange> ParseContentRange(std::string_view value)
{
    if (value.substr(0, 6) != "bytes ")
        return std::nullopt;
    const auto dash = value.find('-', 6);
    const auto slash = value.find('/', 6);
    if (dash == std::string_view::npos || slash == std::string_view::npos || slash < dash)
        return std::nullopt;
    return ContentRange { std::string(value.substr(6, dash - 6)),
        std::string(value.substr(dash + 1, slash - dash - 1)) };
}

}
