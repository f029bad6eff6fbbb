#include "platform/StringList.h"

#include <algorithm>
#include <cassert>

bool StringList::Add(std::string text)
{
    if (m_order == Order::SortedUnique)
        return m_sorted.Insert(text);
    if (m_indexed)
        m_index[text].places.push_back(m_slots.size());
    m_slots.push_back(std::move(text));
    m_live.push_back(true);
    ++m_liveCount;
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
    auto it = m_index.find(text);
    return it != m_index.end() && !it->second.Empty();
}

bool StringList::Remove(std::string_view text)
{
    if (m_order == Order::SortedUnique)
        return m_sorted.Remove(text);
    BuildIndex();
    auto it = m_index.find(text);
    if (it == m_index.end() || it->second.Empty())
        return false;
    m_live[it->second.Front()] = false;
    ++it->second.head;
    if (it->second.Empty())
        m_index.erase(it);
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
    std::string s = std::move(m_slots[m_head]);
    m_live[m_head] = false;
    if (m_indexed) {
        // The front entry is the oldest of its key, so it heads that key's positions.
        auto it = m_index.find(s);
        ++it->second.head;
        if (it->second.Empty())
            m_index.erase(it);
    }
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
    m_index.clear();
    for (std::size_t i = m_head; i < m_slots.size(); ++i)
        if (m_live[i])
            m_index[m_slots[i]].places.push_back(i);
    m_indexed = true;
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
