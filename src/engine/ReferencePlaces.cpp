#include "engine/ReferencePlaces.h"

#include "platform/WordHash.h"

std::uint32_t ReferencePlaces::HashOf(const ResolvedReference::KeyView& key)
{
    // The sizes go in first, so that no two keys run their bytes together alike.
    auto bytes = [](std::uint64_t word) { return word; };
    std::uint64_t h = ((std::uint64_t(key.text.size()) << 32 | key.fragment.size()) ^ key.scope) * WordHash::Odd;
    return std::uint32_t(WordHash::Finish(WordHash::Mix(WordHash::Mix(h, key.text, bytes), key.fragment, bytes)));
}

bool ReferencePlaces::IsKeyOf(const Ref& ref, const ResolvedReference::KeyView& key) const
{
    return ref.scope == key.scope && std::string_view(ref.text, ref.textSize) == key.text
        && m_texts.Text(ref.fragment) == key.fragment;
}

std::uint32_t ReferencePlaces::Note(
    const ResolvedReference::KeyView& key, const std::string& page, std::uint32_t line, bool& first)
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
        std::string_view text = m_texts.Text(m_texts.Intern(key.text));
        m_refs.push_back(
            { None, None, key.scope, m_texts.Intern(key.fragment), text.data(), std::uint32_t(text.size()), false });
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
    if (m_keySlots.empty())
        return;
    // Each pass reads only what the pass before brought in: the key's slot, its
    // reference, then the reference's path and the place the next one is chained to.
    std::size_t mask = m_keySlots.size() - 1;
    m_foreseenHashes.clear();
    for (const ResolvedReference::KeyView& key : keys) {
        m_foreseenHashes.push_back(HashOf(key));
        __builtin_prefetch(&m_keySlots[m_foreseenHashes.back() & mask]);
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        // The probe mostly ends in the slot's own cache line.
        std::uint32_t hash = m_foreseenHashes[i];
        std::size_t at = hash & mask;
        while (m_keySlots[at].ref != None && m_keySlots[at].hash != hash)
            at = (at + 1) & mask;
        refs[i] = m_keySlots[at].ref;
        if (refs[i] != None)
            __builtin_prefetch(&m_refs[refs[i]]);
    }
    for (std::uint32_t ref : refs) {
        if (ref == None)
            continue;
        __builtin_prefetch(m_refs[ref].text);
        if (m_refs[ref].last != None)
            __builtin_prefetch(&m_places[m_refs[ref].last], 1);
    }
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (refs[i] != None && !IsKeyOf(m_refs[refs[i]], keys[i]))
            refs[i] = None;
}

bool ReferencePlaces::Known(const ResolvedReference::KeyView& key) const
{
    return m_keyCount > 0 && m_keySlots[FindKey(key, HashOf(key))].ref != None;
}

std::uint32_t ReferencePlaces::FindKey(const ResolvedReference::KeyView& key, std::uint32_t hash) const
{
    std::size_t mask = m_keySlots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const KeySlot& slot = m_keySlots[i];
        if (slot.ref == None)
            return std::uint32_t(i);
        if (slot.hash == hash && IsKeyOf(m_refs[slot.ref], key))
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
