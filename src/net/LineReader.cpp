#include "net/LineReader.h"

#include <cassert>
#include <cstring>

std::span<char> LineReader::Space()
{
    if (m_begin > 0) {
        std::memmove(m_data.data(), m_data.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    return { m_data.data() + m_end, Capacity - m_end };
}

void LineReader::Commit(std::size_t count)
{
    assert(count <= Capacity - m_end && "committing more than the free room");
    m_end += count;
}

std::optional<LineReader::Line> LineReader::NextLine()
{
    const char* start = m_data.data() + m_begin;
    const auto* lineEnd = static_cast<const char*>(std::memchr(start, '\n', m_end - m_begin));
    if (!lineEnd)
        return std::nullopt;
    std::size_t length = static_cast<std::size_t>(lineEnd - start);
    const std::string_view raw(start, length + 1);
    if (length > 0 && start[length - 1] == '\r')
        --length;
    m_begin += raw.size();
    return Line { { start, length }, raw };
}

bool LineReader::Full() const
{
    return m_begin == 0 && m_end == Capacity && !std::memchr(m_data.data(), '\n', m_end);
}
