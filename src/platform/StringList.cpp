#include "platform/StringList.h"

#include <algorithm>
#include <cassert>

bool StringList::Add(std::string text)
{
    if (m_order == Order::SortedUnique)
        return m_sorted.Insert(text);
    m_slots.push_back(std::move(text));
    m_live.push_back(true);
    ++m_liveCount;
    if (m_indexed)
        IndexEntry(m_slots.size() - 1);
    return true;
}

bool StringList::AddKept(std::string_view text)
{
    if (m_order == Order::SortedUnique)
        return m_sorted.InsertKept(text);
    return Add(std::string(text));
}

bool StringList::Contains(std::string_view text) const
{
    if (m_order == Order::SortedUnique)
        return m_sorted.Contains(text);
    BuildIndex();
    return m_index[IndexSlotOf(text, HashOf(text))].oldest != None;
}

bool StringList::Remove(std::string_view text)
{
    if (m_order == Order::SortedUnique)
        return m_sorted.Remove(text);
    BuildIndex();
    std::size_t slot = IndexSlotOf(text, HashOf(text));
    if (m_index[slot].oldest == None)
        return false;
    m_live[m_index[slot].oldest] = false;
    UnindexOldest(slot);
    --m_liveCount;
    Compact();
    return true;
}

std::string_view StringList::Front() const
{
    assert(!Empty() && "Front of an empty list");
    if (m_order == Order::SortedUnique)
        return m_sorted.FirstSorted();
    std::size_t i = m_head;
    while (!m_live[i])
        ++i;
    return m_slots[i];
}

std::string StringList::TakeFront()
{
    assert(!Empty() && "TakeFront of an empty list");
    if (m_order == Order::SortedUnique) {
        std::string s(Front());
        Remove(s);
        return s;
    }
    while (!m_live[m_head])
        ++m_head;
    // The front entry is the oldest of its text, so it heads that text's chain.
    if (m_indexed) {
        std::size_t slot = IndexSlotOf(m_slots[m_head], HashOf(m_slots[m_head]));
        assert(m_index[slot].oldest == m_head && "the front is the oldest of its text");
        UnindexOldest(slot);
    }
    std::string s = std::move(m_slots[m_head]);
    m_live[m_head] = false;
    ++m_head;
    --m_liveCount;
    Compact();
    return s;
}

void StringList::Clear()
{
    m_sorted.Clear();
    m_slots.clear();
    m_live.clear();
    m_head = 0;
    m_liveCount = 0;
    m_index.clear();
    m_nextEqual.clear();
    m_indexFilled = 0;
    m_indexed = false;
}

void StringList::Sort()
{
    if (m_order == Order::SortedUnique)
        return;
    std::vector<std::string> items = Items();
    std::stable_sort(items.begin(), items.end(), CaseFold::LessIgnoringCase());
    Clear();
    for (auto& s : items)
        Add(std::move(s));
}

std::vector<std::string> StringList::Items() const
{
    std::vector<std::string> out;
    out.reserve(Count());
    ForEach([&](std::string_view s) { out.emplace_back(s); });
    return out;
}

void StringList::BuildIndex() const
{
    if (m_indexed)
        return;
    // Kept at most three quarters full, removed slots counted, at twice the live texts.
    std::size_t size = 64;
    while (size < 2 * m_liveCount + 2)
        size *= 2;
    m_index.assign(size, IndexSlot {});
    m_indexFilled = 0;
    m_nextEqual.assign(m_slots.size(), None);
    m_indexed = true;
    for (std::size_t i = m_head; i < m_slots.size(); ++i)
        if (m_live[i])
            IndexEntry(i);
}

std::uint32_t StringList::HashOf(std::string_view text)
{
    return std::uint32_t(CaseFold::FoldedHash()(text));
}

std::size_t StringList::IndexSlotOf(std::string_view text, std::uint32_t hash) const
{
    std::size_t mask = m_index.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const IndexSlot& slot = m_index[i];
        if (slot.oldest == None)
            return i;
        if (slot.oldest != Removed && slot.hash == hash && CaseFold::EqualIgnoringCase(m_slots[slot.oldest], text))
            return i;
    }
}

void StringList::IndexEntry(std::size_t position) const
{
    if (4 * (m_indexFilled + 1) > 3 * m_index.size()) {
        // Rebuilt from the live entries, which also clears the removed slots.
        m_indexed = false;
        BuildIndex();
        return;
    }
    m_nextEqual.resize(m_slots.size(), None);
    std::uint32_t hash = HashOf(m_slots[position]);
    IndexSlot& slot = m_index[IndexSlotOf(m_slots[position], hash)];
    auto at = std::uint32_t(position);
    if (slot.oldest == None) {
        slot = { hash, at, at };
        ++m_indexFilled;
        return;
    }
    m_nextEqual[slot.newest] = at;
    slot.newest = at;
}

void StringList::UnindexOldest(std::size_t slot) const
{
    IndexSlot& s = m_index[slot];
    std::uint32_t next = m_nextEqual[s.oldest];
    m_nextEqual[s.oldest] = None;
    if (next == None)
        s.oldest = s.newest = Removed;
    else
        s.oldest = next;
}

void StringList::Compact()
{
    // Dead slots are reclaimed once they outnumber the live ones, which keeps every
    // operation amortised constant.
    std::size_t dead = m_slots.size() - m_liveCount;
    if (dead < 64 || dead < m_liveCount)
        return;
    std::vector<std::string> items = Items();
    bool indexed = m_indexed;
    Clear();
    for (auto& s : items)
        Add(std::move(s));
    if (indexed)
        BuildIndex();
}
