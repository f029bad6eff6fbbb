#include "engine/TagWalker.h"

#include "platform/CaseFold.h"

namespace {

/// What ends a tag name, in a start tag and in an end tag alike.
bool EndsName(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '/' || c == '>';
}

}

std::string_view TagWalker::NameOf(std::string_view tag)
{
    std::size_t end = 1;
    while (end < tag.size() && !EndsName(tag[end]))
        ++end;
    return tag.substr(1, end - 1);
}

namespace {

constexpr std::string_view RawTextNames[] = { "script", "style", "textarea", "xmp" };

bool HoldsRawText(std::string_view name)
{
    // Every tag is asked: most names are of another length than all four.
    for (std::string_view raw : RawTextNames)
        if (CaseFold::EqualIgnoringCase(name, raw))
            return true;
    return false;
}

}

bool TagWalker::Next(std::string_view& tag)
{
    for (;;) {
        std::size_t open = m_text.find('<', m_pos);
        if (open == std::string_view::npos) {
            m_pos = m_text.size();
            return false;
        }
        std::string_view rest = m_text.substr(open);
        if (rest.size() > 2 && rest[1] == '!' && rest[2] == '-') {
            std::size_t end = rest.find("-->");
            if (end == std::string_view::npos) {
                m_pos = m_text.size();
                return false;
            }
            m_pos = open + end + 3;
            continue;
        }
        std::size_t close = rest.find('>');
        if (close == std::string_view::npos) {
            m_pos = m_text.size();
            return false;
        }
        tag = rest.substr(0, close + 1);
        m_rawStart = open + close + 1;
        m_pos = After(tag, m_rawStart);
        return true;
    }
}

std::size_t TagWalker::After(std::string_view tag, std::size_t end) const
{
    std::string_view name = NameOf(tag);
    if (!HoldsRawText(name))
        return end;
    // "</script" is the end tag only when the name ends there: "</scripts>" is text.
    for (std::size_t at = m_text.find("</", end); at != std::string_view::npos;
         at = m_text.find("</", at + 2)) {
        std::size_t after = at + 2 + name.size();
        if (after < m_text.size() && EndsName(m_text[after])
            && CaseFold::EqualIgnoringCase(m_text.substr(at + 2, name.size()), name))
            return at;
    }
    return m_text.size();
}
