#include "engine/TagAttributes.h"

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

}

TagAttributes::TagAttributes(std::string_view tag)
    : m_tag(tag)
{
    // Past "<" and the tag's own name.
    m_pos = m_tag.empty() ? 0 : 1;
    while (m_pos < m_tag.size() && !IsSpace(m_tag[m_pos]) && m_tag[m_pos] != '>')
        ++m_pos;
}

bool TagAttributes::Next(Attribute& a)
{
    const std::size_t n = m_tag.size();
    for (;;) {
        while (m_pos < n && (IsSpace(m_tag[m_pos]) || m_tag[m_pos] == '/'))
            ++m_pos;
        if (m_pos >= n || m_tag[m_pos] == '>')
            return false;
        std::size_t start = m_pos;
        while (m_pos < n && !IsSpace(m_tag[m_pos]) && m_tag[m_pos] != '=' && m_tag[m_pos] != '>'
            && !(m_pos > start && m_tag[m_pos] == '/'))
            ++m_pos;
        if (m_pos == start) {
            // A stray "=" where a name should be.
            ++m_pos;
            continue;
        }
        a = Attribute { m_tag.substr(start, m_pos - start), m_pos, false, {} };
        std::size_t look = m_pos;
        while (look < n && IsSpace(m_tag[look]))
            ++look;
        if (look >= n || m_tag[look] != '=')
            return true;
        m_pos = look + 1;
        while (m_pos < n && IsSpace(m_tag[m_pos]))
            ++m_pos;
        a.hasValue = true;
        if (m_pos < n && (m_tag[m_pos] == '"' || m_tag[m_pos] == '\'')) {
            char quote = m_tag[m_pos++];
            std::size_t end = m_tag.find(quote, m_pos);
            if (end == std::string_view::npos)
                end = n;
            a.value = m_tag.substr(m_pos, end - m_pos);
            m_pos = end < n ? end + 1 : n;
            return true;
        }
        std::size_t valueStart = m_pos;
        while (m_pos < n && !IsSpace(m_tag[m_pos]) && m_tag[m_pos] != '>')
            ++m_pos;
        a.value = m_tag.substr(valueStart, m_pos - valueStart);
        return true;
    }
}
