#include "engine/ReferencePlaces.h"

std::uint32_t ReferencePlaces::HashOf(const Key& key)
{
    // The three numbers mixed so that neighbouring texts and scopes scatter over the table.
    std::uint64_t h = (std::uint64_t(key.text) << 32 | key.fragment) * 0x9E3779B97F4A7C15ull;
    h ^= (h >> 29) + key.scope * 0xC2B2AE3D27D4EB4Full;
    h *= 0xBF58476D1CE4E5B9ull;
    return std::uint32_t(h >> 32);
}

std::uint32_t ReferencePlaces::Note(
    const ResolvedReference::KeyView& parts, const std::string& page, std::uint32_t line, bool& first)
{
    // Kept at most half full, so a probe ends soon at a free slot.
    if (2 * (m_keyCount + 1) > m_keySlots.size())
        GrowKeys();
    Key key { parts.scope, m_texts.Intern(parts.text), m_texts.Intern(parts.fragment) };
    std::uint32_t hash = HashOf(key);
    std::uint32_t slot = FindKey(key, hash);
    std::uint32_t ref = m_keySlots[slot].ref;
    first = ref == None;
    if (first) {
        ref = std::uint32_t(m_refs.size());
        m_keySlots[slot] = { hash, ref };
        m_refs.push_back({ None, None, key, false });
        ++m_keyCount;
    }
    return NoteAgain(ref, page, line);
}

std::uint32_t ReferencePlaces::NoteAgain(std::uint32_t ref, const std::string& page, std::uint32_t line)
{
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

void ReferencePlaces::Foresee(const std::vector<ResolvedReference::KeyView>& keys, std::vector<std::uint32_t>& refs)
{
    refs.assign(keys.size(), None);
    m_foreseenTexts.clear();
    for (const ResolvedReference::KeyView& key : keys)
        m_foreseenTexts.push_back(key.text);
    m_texts.Foresee(m_foreseenTexts);
    if (m_keySlots.empty())
        return;
    // Then each pass reads only what the pass before brought in: the key's first slot, its
    // reference, and the place the next one is chained to.
    std::size_t mask = m_keySlots.size() - 1;
    m_foreseenKeys.clear();
    m_foreseenHashes.clear();
    for (const ResolvedReference::KeyView& parts : keys) {
        Key key { parts.scope, m_texts.Find(parts.text), m_texts.Find(parts.fragment) };
        m_foreseenKeys.push_back(key);
        m_foreseenHashes.push_back(HashOf(key));
        if (key.text != InternedTexts::Missing && key.fragment != InternedTexts::Missing)
            __builtin_prefetch(&m_keySlots[m_foreseenHashes.back() & mask]);
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const Key& key = m_foreseenKeys[i];
        if (key.text == InternedTexts::Missing || key.fragment == InternedTexts::Missing)
            continue;
        // The probe mostly ends in the slot's own cache line.
        std::uint32_t hash = m_foreseenHashes[i];
        std::size_t at = hash & mask;
        while (m_keySlots[at].ref != None && m_keySlots[at].hash != hash)
            at = (at + 1) & mask;
        refs[i] = m_keySlots[at].ref;
        if (refs[i] != None)
            __builtin_prefetch(&m_refs[refs[i]]);
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (refs[i] == None)
            continue;
        const Ref& ref = m_refs[refs[i]];
        if (!(ref.key == m_foreseenKeys[i]))
            refs[i] = None;
        else if (ref.last != None)
            __builtin_prefetch(&m_places[ref.last], 1);
    }
}

bool ReferencePlaces::Known(const ResolvedReference::KeyView& parts) const
{
    Key key { parts.scope, m_texts.Find(parts.text), m_texts.Find(parts.fragment) };
    if (m_keyCount == 0 || key.text == InternedTexts::Missing || key.fragment == InternedTexts::Missing)
        return false;
    return m_keySlots[FindKey(key, HashOf(key))].ref != None;
}

std::uint32_t ReferencePlaces::FindKey(const Key& key, std::uint32_t hash) const
{
    std::size_t mask = m_keySlots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const KeySlot& slot = m_keySlots[i];
        if (slot.ref == None)
            return std::uint32_t(i);
        if (slot.hash == hash && m_refs[slot.ref].key == key)
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
    // The references stay, keys included; only the table that finds them is emptied.
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
    if (m_lastPage != None && PageName(m_lastPage) == page)
        return m_lastPage;
    std::uint32_t text = m_texts.Intern(page);
    if (m_pageOfText.size() <= text)
        m_pageOfText.resize(text + 1, None);
    if (m_pageOfText[text] == None) {
        m_pageOfText[text] = std::uint32_t(m_pageTexts.size());
        m_pageTexts.push_back(text);
    }
    m_lastPage = m_pageOfText[text];
    return m_lastPage;
}

void ReferencePlaces::Clear()
{
    *this = ReferencePlaces();
}
