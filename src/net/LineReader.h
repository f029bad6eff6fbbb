#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

/// The receive buffer of an HTTP response header: bytes go in at the back, complete lines
/// (ended by LF, a CR before it dropped) come out at the front. A line must fit the
/// buffer; when it is full without a line end the header line is too long.
class LineReader {
public:
    static constexpr std::size_t Capacity = 8192;

    struct Line {
        std::string_view text;
        /// The line with its line end, as received.
        std::string_view raw;
    };

    /// Free room for the next read; empty when the buffer is full.
    std::span<char> Space();
    void Commit(std::size_t count);
    /// The next complete line; the views stay valid until the next `Space` or `Clear`.
    std::optional<Line> NextLine();
    /// Bytes received but not taken as lines.
    std::string_view Rest() const { return { m_data.data() + m_begin, m_end - m_begin }; }
    /// No room left and no complete line in it: the line under way is too long.
    bool Full() const;
    void Clear() { m_begin = m_end = 0; }

private:
    std::array<char, Capacity> m_data {};
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
};
