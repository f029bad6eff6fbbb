#include "platform/CaseFold.h"

#include "platform/WordHash.h"

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

std::size_t FindIgnoringCase(std::string_view haystack, std::string_view needle, std::size_t from)
{
    if (needle.empty())
        return from <= haystack.size() ? from : std::string_view::npos;
    // Candidates are found by their first byte with the library's fast search, in both
    // letter cases when it is a letter.
    char first = needle[0];
    char other = Upper(first) == first ? Lower(first) : Upper(first);
    std::string_view rest = needle.substr(1);
    for (std::size_t at = from; at + needle.size() <= haystack.size(); ++at) {
        std::size_t a = haystack.find(first, at);
        std::size_t b = other == first ? std::string_view::npos : haystack.find(other, at);
        at = std::min(a, b);
        if (at == std::string_view::npos || at + needle.size() > haystack.size())
            return std::string_view::npos;
        if (EqualIgnoringCase(haystack.substr(at + 1, rest.size()), rest))
            return at;
    }
    return std::string_view::npos;
}

std::size_t FoldedHash::operator()(std::string_view s) const
{
    return std::size_t(WordHash::Finish(WordHash::Mix(s.size() * WordHash::Odd, s, LowerEight)));
}

int CompareIgnoringCase(std::string_view a, std::string_view b)
{
    std::size_t n = std::min(a.size(), b.size());
    std::size_t i = FoldedMismatch(a.data(), b.data(), n);
    if (i < n)
        return static_cast<unsigned char>(Lower(a[i])) < static_cast<unsigned char>(Lower(b[i])) ? -1 : 1;
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

}
