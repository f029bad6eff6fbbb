#include "components/UpgradeInfo.h"

#include <climits>

std::optional<int> ReadBuildNumber(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-'))
        negative = line[i++] == '-';
    // Accumulated as a negative number, whose range includes INT_MIN.
    long long value = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        value = value * 10 - (line[i] - '0');
        if (value < INT_MIN)
            return std::nullopt;
    }
    if (negative)
        return int(value);
    if (-value > INT_MAX)
        return std::nullopt;
    return int(-value);
}

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::optional<UpgradeInfo> ParseUpgradeInfo(std::string_view text)
{
    std::vector<std::string> lines = SplitLines(text);
    if (lines.size() < UpgradeInfo::MinimumLines)
        return std::nullopt;
    std::optional<int> build = ReadBuildNumber(lines[0]);
    if (!build)
        return std::nullopt;
    UpgradeInfo info { *build, lines[1], lines[2], lines[3], {} };
    if (lines.size() > 6)
        info.summary.assign(lines.begin() + 6, lines.end());
    return info;
}
