#include "engine/LineCounter.h"

#include <algorithm>
#include <cstring>

namespace {

/// How often `c` stands in `text`; memchr skips the bytes between, many at a time.
std::uint32_t Occurrences(std::string_view text, char c)
{
    std::uint32_t count = 0;
    const char* end = text.data() + text.size();
    for (const char* at = text.data();
         (at = static_cast<const char*>(std::memchr(at, c, std::size_t(end - at)))) != nullptr; ++at)
        ++count;
    return count;
}

}

std::uint32_t LineCounter::LineAt(std::size_t offset)
{
    offset = std::min(offset, m_text.size());
    if (offset <= m_pos)
        return m_line;
    std::string_view passed = m_text.substr(m_pos, offset - m_pos);
    m_line += Occurrences(passed, '\n');
    // A CR ends a line of its own only when no LF follows; the CR of a CR LF is counted
    // with its LF, even when the LF lies past `offset`. Most pages hold no CR at all.
    const char* end = m_text.data() + m_text.size();
    for (const char* cr = passed.data();
         (cr = static_cast<const char*>(std::memchr(cr, '\r', std::size_t(m_text.data() + offset - cr))))
         != nullptr;
         ++cr)
        if (cr + 1 == end || cr[1] != '\n')
            ++m_line;
    m_pos = offset;
    return m_line;
}
