#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

/// ASCII-only letter-case helpers. Pages are 8-bit text in any encoding, so only the
/// 26 Latin letters are folded; every other byte (UTF-8 sequences included) is kept.
namespace CaseFold {

constexpr char Upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
constexpr char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

/// Lower applied to each of the eight bytes of a word at once.
constexpr std::uint64_t LowerEight(std::uint64_t word)
{
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    // Each byte's low seven bits plus a constant reach the byte's top bit exactly when the
    // byte is at least 'A', or more than 'Z'; no sum carries into the next byte.
    std::uint64_t low = word & (0x7F * ones);
    std::uint64_t fromA = low + (0x80 - 'A') * ones;
    std::uint64_t pastZ = low + (0x80 - 'Z' - 1) * ones;
    std::uint64_t capital = fromA & ~pastZ & ~word & (0x80 * ones);
    return word | capital >> 2;
}

std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
/// Where the first `n` bytes of `a` and `b` first differ once folded, or `n`. Texts
/// compared here are mostly paths that share long beginnings, so equal bytes are passed
/// eight at a time.
inline std::size_t FoldedMismatch(const char* a, const char* b, std::size_t n)
{
    std::size_t i = 0;
    while (i < n) {
        if (n - i >= 8 && std::memcmp(a + i, b + i, 8) == 0) {
            i += 8;
            continue;
        }
        for (std::size_t end = std::min(n, i + 8); i < end; ++i)
            if (Lower(a[i]) != Lower(b[i]))
                return i;
    }
    return n;
}

inline bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && FoldedMismatch(a.data(), b.data(), a.size()) == a.size();
}

inline bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualIgnoringCase(text.substr(0, prefix.size()), prefix);
}

/// Position of the first occurrence of `needle` in `haystack` from `from`, letter case
/// ignored; std::string_view::npos when there is none.
std::size_t FindIgnoringCase(std::string_view haystack, std::string_view needle, std::size_t from = 0);

/// Orders texts as the string lists do: byte by byte after folding to lower case, so
/// punctuation between 'Z' and 'a' sorts before the letters.
int CompareIgnoringCase(std::string_view a, std::string_view b);

/// Hash and equality for tables keyed by text with letter case ignored; both take any
/// text, so a look-up needs no folded copy of its key.
struct FoldedHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const;
};
struct FoldedEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return EqualIgnoringCase(a, b); }
};

struct LessIgnoringCase {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return CompareIgnoringCase(a, b) < 0; }
};

}
