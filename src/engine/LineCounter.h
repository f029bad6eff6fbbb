#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

/// Counts the lines of a text while a walk moves forward through it, so that finding
/// the line of each tag costs no second pass: only the bytes up to the offset asked for
/// are read, once, and a page that is never asked reads none. A line ends at CR LF, at LF
/// and at a CR alone.
class LineCounter {
public:
    explicit LineCounter(std::string_view text)
        : m_text(text)
    {
    }

    /// The 1-based line of the byte at `offset` (past the end: of the end). Offsets
    /// asked for must not go backwards; an earlier one gets the line last reached.
    std::uint32_t LineAt(std::size_t offset);

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    std::uint32_t m_line = 1;
};
