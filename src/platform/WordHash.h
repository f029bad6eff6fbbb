#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

/// Hashing of texts eight bytes a step, for the run's open tables: the texts they hash
/// are mostly paths of some forty bytes.
namespace WordHash {

constexpr std::uint64_t Odd = 0x9E3779B97F4A7C15ull;

/// The eight bytes of `text` from `from` on as they lie in memory, zeros past its end.
inline std::uint64_t WordAt(std::string_view text, std::size_t from)
{
    std::uint64_t word = 0;
    if (from < text.size())
        std::memcpy(&word, text.data() + from, std::min<std::size_t>(8, text.size() - from));
    return word;
}

/// Mixes the bytes of `text` into `h`, each word of eight (the last one padded with
/// zeros) passed through `fold` first.
template<typename Fold> std::uint64_t Mix(std::uint64_t h, std::string_view text, Fold fold)
{
    for (std::size_t i = 0; i < text.size(); i += 8)
        h = std::rotl((h ^ fold(WordAt(text, i))) * Odd, 29);
    return h;
}

/// Spreads every bit of `h` over the low ones, by which the tables pick a slot.
constexpr std::uint64_t Finish(std::uint64_t h)
{
    h ^= h >> 32;
    h *= 0xBF58476D1CE4E5B9ull;
    return h ^ h >> 29;
}

}
