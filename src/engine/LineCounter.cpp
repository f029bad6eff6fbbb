#include "engine/LineCounter.h"

#include <algorithm>

std::uint32_t LineCounter::LineAt(std::size_t offset)
{
    offset = std::min(offset, m_text.size());
    for (; m_pos < offset; ++m_pos) {
        char c = m_text[m_pos];
        // The CR of a CR LF is counted with its LF, even when the LF lies past `offset`.
        if (c == '\n' || (c == '\r' && (m_pos + 1 == m_text.size() || m_text[m_pos + 1] != '\n')))
            ++m_line;
    }
    return m_line;
}
