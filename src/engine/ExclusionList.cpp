#include "engine/ExclusionList.h"

ExclusionList ExclusionList::Compile(const std::vector<std::string>& patterns, std::string& error)
{
    ExclusionList list;
    for (const std::string& pattern : patterns) {
        auto regex = std::make_unique<regex_t>();
        int code = regcomp(regex.get(), pattern.c_str(), REG_EXTENDED | REG_NOSUB);
        if (code != 0) {
            char message[256];
            regerror(code, regex.get(), message, sizeof message);
            error = "not a regular expression: " + pattern + " (" + message + ")";
            return {};
        }
        list.m_patterns.emplace_back(regex.release(), [](regex_t* r) {
            regfree(r);
            delete r;
        });
    }
    return list;
}

bool ExclusionList::Matches(std::string_view reference) const
{
    if (m_patterns.empty())
        return false;
    // The bounds are given, so a NUL byte in a page's reference neither ends it early
    // nor lets the match read past it.
    std::string text(reference);
    regmatch_t bounds[1] = {};
    bounds[0].rm_so = 0;
    bounds[0].rm_eo = regoff_t(text.size());
    for (const auto& regex : m_patterns)
        if (regexec(regex.get(), text.c_str(), 1, bounds, REG_STARTEND) == 0)
            return true;
    return false;
}
