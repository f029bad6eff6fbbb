#pragma once

#include "platform/CaseFold.h"
#include "platform/FoldedTextSet.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// An ordered list of texts whose search, sorting and duplicate test ignore letter case
/// (ASCII). A list is either sorted and unique, where an addition equal to an entry is
/// silently dropped, or kept in insertion order with duplicates. Every look-up is indexed,
/// so lists that grow with the site never make an operation linear: the sorted form is a
/// compact set of texts put in order when it is read (a run adds many entries and reads a
/// list once); the insertion form is a vector of slots with a hash index built on the
/// first look-up, tombstones for removals and a moving front for queue use.
class StringList {
public:
    enum class Order { Insertion, SortedUnique };

    explicit StringList(Order order = Order::Insertion)
        : m_order(order)
    {
    }

    std::size_t Count() const { return m_order == Order::SortedUnique ? m_sorted.Count() : m_liveCount; }
    bool Empty() const { return Count() == 0; }

    /// Returns false when a sorted, unique list already held an equal entry.
    bool Add(std::string text);
    /// Add for a text that stays valid and unchanged while the list holds it (an interned
    /// one): a sorted list keeps the view instead of a copy.
    bool AddKept(std::string_view text);
    bool Contains(std::string_view text) const;
    /// Removes the first entry equal to `text`; false when there is none.
    bool Remove(std::string_view text);
    /// Removes and returns the first entry. Precondition: not empty.
    std::string TakeFront();
    std::string_view Front() const;
    void Clear();
    /// Sorts an insertion-ordered list in place (stable; duplicates kept).
    void Sort();

    /// Calls `f` with each entry as a std::string_view, in the list's order.
    template<typename F> void ForEach(F&& f) const
    {
        if (m_order == Order::SortedUnique) {
            m_sorted.ForEachSorted(f);
            return;
        }
        for (std::size_t i = m_head; i < m_slots.size(); ++i)
            if (m_live[i])
                f(std::string_view(m_slots[i]));
    }
    std::vector<std::string> Items() const;

private:
    static std::uint32_t HashOf(std::string_view text);
    void BuildIndex() const;
    /// Files the live entry at `position` last among the entries equal to it.
    void IndexEntry(std::size_t position) const;
    /// The index slot of the entries equal to `text`, or the free slot where its probe ends.
    std::size_t IndexSlotOf(std::string_view text, std::uint32_t hash) const;
    /// Takes the oldest entry off the chain of its slot, which must hold it.
    void UnindexOldest(std::size_t slot) const;
    void Compact();

    Order m_order;
    FoldedTextSet m_sorted;

    std::vector<std::string> m_slots;
    std::vector<bool> m_live;
    std::size_t m_head = 0;
    std::size_t m_liveCount = 0;
    mutable bool m_indexed = false;
    /// An open table, built on the first look-up, with one slot for each text, letter case
    /// ignored: its hash and the oldest and newest live positions of the entries equal to
    /// it, which `m_nextEqual` chains oldest first. Entries are only ever taken from the
    /// old end of a chain (the first equal one, or the list's front). Twelve bytes a slot
    /// and four an entry, where a node map of strings costs some two hundred.
    static constexpr std::uint32_t None = UINT32_MAX;
    static constexpr std::uint32_t Removed = UINT32_MAX - 1;
    struct IndexSlot {
        std::uint32_t hash = 0;
        std::uint32_t oldest = None; // None: never used; Removed: its entries are all gone
        std::uint32_t newest = None;
    };
    mutable std::vector<IndexSlot> m_index;
    mutable std::vector<std::uint32_t> m_nextEqual;
    /// Slots in use or removed, which both lengthen probes.
    mutable std::size_t m_indexFilled = 0;
};
