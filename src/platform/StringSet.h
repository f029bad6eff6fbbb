#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// A set of texts that only grows, kept compact for sites of hundreds of thousands of
/// targets: the texts lie end to end in one buffer and the table holds only their hash,
/// place and length, so a look-up touches the table once and the buffer once.
class StringSet {
public:
    /// False when the text was in the set already.
    bool Insert(std::string_view text);
    bool Contains(std::string_view text) const;
    std::size_t Count() const { return m_count; }
    void Clear();

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t offset = 0;
        std::uint32_t length = 0; // 0 marks a free slot; stored lengths are one more
    };

    static std::uint64_t Hash(std::string_view text);
    std::size_t Find(std::string_view text, std::uint64_t hash) const;
    void Grow();

    std::vector<Slot> m_slots;
    std::string m_texts;
    std::size_t m_count = 0;
};
