#include "platform/CaseFold.h"

#include <algorithm>

namespace CaseFold {

std::string UpperCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = Upper(c);
    return out;
}

std::string LowerCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = Lower(c);
    return out;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::size_t FindIgnoringCase(std::string_view haystack, std::string_view needle, std::size_t from)
{
    if (from > haystack.size())
        return std::string_view::npos;
    auto it = std::search(haystack.begin() + from, haystack.end(), needle.begin(), needle.end(),
        [](char x, char y) { return Lower(x) == Lower(y); });
    return it == haystack.end() && !needle.empty() ? std::string_view::npos : std::size_t(it - haystack.begin());
}

int CompareIgnoringCase(std::string_view a, std::string_view b)
{
    std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto x = static_cast<unsigned char>(Lower(a[i]));
        auto y = static_cast<unsigned char>(Lower(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

}
