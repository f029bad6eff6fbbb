#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

/// How the keystroke sender chooses its target window and compares its title.
enum class TTCTypes { tcDesktop, tcThisWindow, tcCharPos, tcWhole, tcPart, tcStart, tcEnd };

/// The target description of the keystroke sender, with its buffers' capacities: a
/// longer class or title is cut, as is a window title read for comparison.
struct SendKeysTarget {
    static constexpr std::size_t ClassCapacity = 99;
    static constexpr std::size_t TitleCapacity = 199;
    static constexpr std::size_t WindowTitleCapacity = 499;

    std::string TargetClass;
    std::string TargetTitle;
    TTCTypes TargetTitleType = TTCTypes::tcPart;
    /// 1-based position of the title text for tcCharPos.
    int TitleStart = 1;
    bool LaunchApp = false;

    /// Whether a window title matches, the first occurrence of the text deciding
    /// (exact letter case). A title that does not hold the text never matches.
    bool TitleMatches(std::string_view windowTitle) const;
    /// The message shown when no target was found.
    std::string NotFoundMessage() const;
};

/// Walks the windows from the foreground one (not itself examined) towards the top of the
/// window order, then from it towards the bottom, and returns the first index that
/// `matches`. `count` windows are indexed from the top; without a foreground window all
/// are walked from the top.
std::optional<std::size_t> SearchAroundForeground(std::size_t count, std::optional<std::size_t> foreground,
    const std::function<bool(std::size_t)>& matches);
