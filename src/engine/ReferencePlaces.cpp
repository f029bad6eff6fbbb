#include "engine/ReferencePlaces.h"

std::uint32_t ReferencePlaces::Note(std::string_view key, const std::string& page, std::uint32_t line)
{
    auto [it, added] = m_keys.try_emplace(std::string(key), std::uint32_t(m_refs.size()));
    if (added)
        m_refs.emplace_back();
    std::uint32_t ref = it->second;
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
    auto [it, added] = m_pageNumbers.try_emplace(page, std::uint32_t(m_pages.size()));
    if (added)
        m_pages.push_back(page);
    return it->second;
}

void ReferencePlaces::Clear()
{
    *this = ReferencePlaces();
}
