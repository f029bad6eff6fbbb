#include "engine/ReferencePlaces.h"

namespace {

std::uint32_t HashOf(std::string_view key)
{
    return std::uint32_t(std::hash<std::string_view>()(key));
}

}

std::uint32_t ReferencePlaces::Note(
    std::string_view key, const std::string& page, std::uint32_t line, bool& first)
{
    // Kept at most half full, so a probe ends soon at a free slot.
    if (2 * (m_keyCount + 1) > m_keySlots.size())
        GrowKeys();
    std::uint32_t hash = HashOf(key);
    std::uint32_t slot = FindKey(key, hash);
    std::uint32_t ref = m_keySlots[slot].ref;
    first = ref == None;
    if (first) {
        ref = std::uint32_t(m_refs.size());
        m_keySlots[slot] = { hash, ref };
        std::string_view kept = m_keyTexts.Keep(key);
        m_refs.push_back({ None, None, kept.data(), std::uint32_t(kept.size()), false });
        ++m_keyCount;
    }
    auto index = std::uint32_t(m_places.size());
    m_places.push_back({ PageNumber(page), line, None });
    Ref& r = m_refs[ref];
    if (r.last == None)
        r.first = index;
    else
        m_places[r.last].next = index;
    r.last = index;
    return ref;
}

bool ReferencePlaces::Known(std::string_view key) const
{
    return m_keyCount > 0 && m_keySlots[FindKey(key, HashOf(key))].ref != None;
}

std::uint32_t ReferencePlaces::FindKey(std::string_view key, std::uint32_t hash) const
{
    std::size_t mask = m_keySlots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const KeySlot& slot = m_keySlots[i];
        if (slot.ref == None)
            return std::uint32_t(i);
        if (slot.hash == hash && m_refs[slot.ref].Key() == key)
            return std::uint32_t(i);
    }
}

void ReferencePlaces::GrowKeys()
{
    std::vector<KeySlot> old = std::move(m_keySlots);
    m_keySlots.assign(old.empty() ? 1024 : 2 * old.size(), KeySlot {});
    std::size_t mask = m_keySlots.size() - 1;
    for (const KeySlot& slot : old) {
        if (slot.ref == None)
            continue;
        std::size_t i = slot.hash & mask;
        while (m_keySlots[i].ref != None)
            i = (i + 1) & mask;
        m_keySlots[i] = slot;
    }
}

void ReferencePlaces::ForgetKeys()
{
    // The references' keys stay readable; only the table that finds them is emptied.
    m_keySlots.clear();
    m_keyCount = 0;
}

void ReferencePlaces::BindRow(std::uint32_t ref, Grid grid, std::size_t row)
{
    std::vector<std::uint32_t>& rows = m_rowRefs[int(grid)];
    if (rows.size() <= row)
        rows.resize(row + 1, None);
    rows[row] = ref;
}

std::uint32_t ReferencePlaces::RefOfRow(Grid grid, std::size_t row) const
{
    const std::vector<std::uint32_t>& rows = m_rowRefs[int(grid)];
    return row < rows.size() ? rows[row] : None;
}

std::uint32_t ReferencePlaces::PageNumber(const std::string& page)
{
    if (m_lastPage != None && m_pages[m_lastPage] == page)
        return m_lastPage;
    auto [it, added] = m_pageNumbers.try_emplace(page, std::uint32_t(m_pages.size()));
    if (added)
        m_pages.push_back(page);
    m_lastPage = it->second;
    return m_lastPage;
}

void ReferencePlaces::Clear()
{
    *this = ReferencePlaces();
}
