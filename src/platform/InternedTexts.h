#pragma once

#include "platform/ChunkedVector.h"
#include "platform/TextBlocks.h"

#include <cstdint>
#include <string_view>
#include <vector>

/// Texts kept once each and known by a number: a table of hundreds of thousands of rows
/// whose cells repeat (results, page names, timings) holds four numbers a row instead of
/// four strings. Texts are never removed or moved, so a view of one stays valid for the
/// life of the pool.
class InternedTexts {
public:
    /// The number of the empty text, which every pool holds from the start.
    static constexpr std::uint32_t Empty = 0;

    InternedTexts();

    /// The number of `text`, adding it when it is new.
    std::uint32_t Intern(std::string_view text);
    /// The number of `text`, or `Missing` when it has none.
    static constexpr std::uint32_t Missing = UINT32_MAX;
    std::uint32_t Find(std::string_view text) const;
    std::string_view Text(std::uint32_t id) const { return m_texts[id]; }
    std::size_t Count() const { return m_texts.size(); }

private:
    std::size_t SlotOf(std::string_view text, std::uint32_t hash) const;
    void Grow();

    /// In blocks, so that a pool of a million texts never holds two copies while it grows.
    ChunkedVector<std::string_view> m_texts;
    /// Open addressing over the texts' numbers, kept at most three quarters full. A slot
    /// holds its text's hash, so a probe passes other texts without touching them.
    static constexpr std::uint32_t Free = Missing;
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t id = Free;
    };
    std::vector<Slot> m_slots;
    TextBlocks m_bytes;
};
