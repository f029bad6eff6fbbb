#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

/// One step of sending keys with paste segments.
struct PasteStep {
    enum class Kind { SetClipboard, PlayKeys };
    Kind kind;
    std::string text;

    bool operator==(const PasteStep&) const = default;
};

/// Splits keys marked with "{p}text{/p}" paste segments into steps: the segment's text goes
/// on the clipboard (cut at `clipboardCapacity` characters), the keys before it are
/// played, then Ctrl+V. A "{p}" without a later "{/p}" pastes what the clipboard holds and
/// drops the rest. Empty key runs are left out.
std::vector<PasteStep> PasteSteps(std::string_view keys, std::size_t clipboardCapacity);
