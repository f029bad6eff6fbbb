#include "engine/TagWalker.h"

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
        m_pos = open + close + 1;
        return true;
    }
}
