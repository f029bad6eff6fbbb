#pragma once

#include "platform/TextBlocks.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

/// The entries of a sorted, unique list of a large site (hundreds of thousands of link
/// targets): each text once, found and compared with letter case ignored (ASCII). The
/// texts lie end to end in blocks and an open table holds only their hash and number, so
/// an entry costs its bytes and some twenty bytes more, where a node set of strings costs
/// some hundred.
class FoldedTextSet {
public:
    /// False when an entry equal to `text` but for letter case was there already.
    bool Insert(std::string_view text) { return Add(text, Keeping::Copy); }
    /// Insert for a text that stays valid and unchanged while the set holds it, such as
    /// an interned one: the set keeps the view, not a copy.
    bool InsertKept(std::string_view text) { return Add(text, Keeping::View); }
    bool Contains(std::string_view text) const;
    /// False when there was no such entry.
    bool Remove(std::string_view text);
    std::size_t Count() const { return m_count; }
    void Clear();

    /// The entries in letter-case-blind order (no two are equal that way), put in order
    /// when first read after a change.
    template<typename F> void ForEachSorted(F&& f) const
    {
        for (std::uint32_t id : SortedIds())
            f(m_entries[id]);
    }

    /// The first entry in that order. Precondition: not empty.
    std::string_view FirstSorted() const { return m_entries[SortedIds().front()]; }

private:
    static constexpr std::uint32_t Free = UINT32_MAX;
    static constexpr std::uint32_t Removed = UINT32_MAX - 1;
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t id = Free;
    };

    enum class Keeping { Copy, View };
    bool Add(std::string_view text, Keeping keeping);
    /// The slot that holds `text`, or the free slot where the probe for it ends.
    std::size_t Find(std::string_view text, std::uint32_t hash) const;
    void Grow();
    const std::vector<std::uint32_t>& SortedIds() const;

    std::vector<Slot> m_slots;
    /// By number, in the blocks or where the caller keeps them; a removed entry's text
    /// stays in the blocks, unreachable.
    std::vector<std::string_view> m_entries;
    std::vector<bool> m_live;
    TextBlocks m_texts;
    std::size_t m_count = 0;
    std::size_t m_removedSlots = 0;
    mutable std::vector<std::uint32_t> m_sorted;
    mutable bool m_sortedValid = true;
};
