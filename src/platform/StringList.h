#pragma once

#include "platform/CaseFold.h"
#include "platform/FoldedTextSet.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
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
    void BuildIndex() const;
    void Compact();

    Order m_order;
    FoldedTextSet m_sorted;

    std::vector<std::string> m_slots;
    std::vector<bool> m_live;
    std::size_t m_head = 0;
    std::size_t m_liveCount = 0;
    mutable bool m_indexed = false;
    /// The live slots of one folded text, oldest first: almost always one, so a vector
    /// and a moving head, not a deque, whose smallest block outweighs the text many times.
    struct Positions {
        std::vector<std::size_t> places;
        std::size_t head = 0;
        bool Empty() const { return head == places.size(); }
        std::size_t Front() const { return places[head]; }
    };
    /// Keyed by each text as first added, found by any spelling with letter case ignored,
    /// so a look-up makes no folded copy.
    mutable std::unordered_map<std::string, Positions, CaseFold::FoldedHash, CaseFold::FoldedEqual> m_index;
};
