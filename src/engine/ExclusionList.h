#pragma once

#include <memory>
#include <regex.h>
#include <string>
#include <string_view>
#include <vector>

/// References the user does not want checked: POSIX extended regular expressions, each
/// matching anywhere in the reference as written.
class ExclusionList {
public:
    /// The list of the patterns, or an empty list with `error` set to why one of them is
    /// not a regular expression.
    static ExclusionList Compile(const std::vector<std::string>& patterns, std::string& error);

    bool Matches(std::string_view reference) const;

private:
    std::vector<std::shared_ptr<regex_t>> m_patterns;
};
