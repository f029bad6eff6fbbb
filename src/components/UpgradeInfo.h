#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The upgrade information file a mirror serves: plain text, one field per line.
struct UpgradeInfo {
    /// Line 1: the latest release's build number.
    int build = 0;
    /// Line 2: its version text, as the announcement shows it.
    std::string version;
    /// Line 3.
    std::string releaseDate;
    /// Line 4: the upgrade page, both caption and address of the dialog's link.
    std::string pageAddress;
    /// Lines 7 to the last (5 and 6 are reserved): one paragraph each.
    std::vector<std::string> summary;

    static constexpr std::size_t MinimumLines = 5;
};

/// A decimal number as line 1 holds it: blanks, an optional sign, then digits up to the
/// first other character; no digits read as 0. Nothing when the number does not fit an
/// int: a mirror must not pass off an overflow as a huge build.
std::optional<int> ReadBuildNumber(std::string_view line);

/// The lines of a text ended by "\n" or "\r\n"; a last line without an end counts.
std::vector<std::string> SplitLines(std::string_view text);

/// Nothing when the text has fewer than `MinimumLines` lines or line 1 overflows.
std::optional<UpgradeInfo> ParseUpgradeInfo(std::string_view text);
