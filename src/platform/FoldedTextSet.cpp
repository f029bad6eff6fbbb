#include "platform/FoldedTextSet.h"

#include "platform/CaseFold.h"

#include <algorithm>

namespace {

std::uint32_t HashOf(std::string_view text) { return std::uint32_t(CaseFold::FoldedHash()(text)); }

}

std::size_t FoldedTextSet::Find(std::string_view text, std::uint32_t hash) const
{
    std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.id == Free)
            return i;
        if (slot.id != Removed && slot.hash == hash && CaseFold::EqualIgnoringCase(m_entries[slot.id], text))
            return i;
    }
}

bool FoldedTextSet::Add(std::string_view text, Keeping keeping)
{
    // Kept at most three quarters full, removed slots counted, so a probe ends soon at a
    // free slot while the table stays a few bytes an entry.
    if (4 * (m_count + m_removedSlots + 1) > 3 * m_slots.size())
        Grow();
    std::uint32_t hash = HashOf(text);
    std::size_t i = Find(text, hash);
    if (m_slots[i].id != Free)
        return false;
    m_slots[i] = { hash, std::uint32_t(m_entries.size()) };
    m_entries.push_back(keeping == Keeping::Copy ? m_texts.Keep(text) : text);
    m_live.push_back(true);
    ++m_count;
    m_sortedValid = false;
    return true;
}

bool FoldedTextSet::Contains(std::string_view text) const
{
    return m_count > 0 && m_slots[Find(text, HashOf(text))].id != Free;
}

bool FoldedTextSet::Remove(std::string_view text)
{
    if (m_count == 0)
        return false;
    Slot& slot = m_slots[Find(text, HashOf(text))];
    if (slot.id == Free)
        return false;
    m_live[slot.id] = false;
    slot.id = Removed;
    --m_count;
    ++m_removedSlots;
    m_sortedValid = false;
    return true;
}

void FoldedTextSet::Grow()
{
    std::size_t size = 64;
    while (4 * (m_count + 1) > 3 * size / 2)
        size *= 2;
    m_slots.assign(size, Slot {});
    m_removedSlots = 0;
    std::size_t mask = size - 1;
    for (std::uint32_t id = 0; id < m_entries.size(); ++id) {
        if (!m_live[id])
            continue;
        std::uint32_t hash = HashOf(m_entries[id]);
        std::size_t i = hash & mask;
        while (m_slots[i].id != Free)
            i = (i + 1) & mask;
        m_slots[i] = { hash, id };
    }
}

void FoldedTextSet::Clear() { *this = FoldedTextSet(); }

const std::vector<std::uint32_t>& FoldedTextSet::SortedIds() const
{
    if (m_sortedValid)
        return m_sorted;
    m_sorted.clear();
    m_sorted.reserve(m_count);
    for (std::uint32_t id = 0; id < m_entries.size(); ++id)
        if (m_live[id])
            m_sorted.push_back(id);
    std::sort(m_sorted.begin(), m_sorted.end(), [this](std::uint32_t a, std::uint32_t b) {
        return CaseFold::CompareIgnoringCase(m_entries[a], m_entries[b]) < 0;
    });
    m_sortedValid = true;
    return m_sorted;
}
