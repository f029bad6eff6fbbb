#include "platform/FoldedTextSet.h"

#include "platform/CaseFold.h"
#include "platform/WordHash.h"

#include <algorithm>
#include <bit>

namespace {

std::uint32_t HashOf(std::string_view text) { return std::uint32_t(CaseFold::FoldedHash()(text)); }

/// Eight folded bytes of a text from `from` on, as a number that orders as they do (past
/// the end of the text, zeros).
std::uint64_t FoldedWord(std::string_view text, std::size_t from)
{
    std::uint64_t word = CaseFold::LowerEight(WordHash::WordAt(text, from));
    // The first byte must weigh most.
    if constexpr (std::endian::native == std::endian::little)
        word = __builtin_bswap64(word);
    return word;
}

/// An entry to sort with sixteen of its folded bytes beside it: entries that differ there
/// are ordered without reading their texts, which a large list keeps all over memory.
struct SortEntry {
    std::uint64_t head;
    std::uint64_t next;
    std::uint32_t id;
};

constexpr auto BytesBefore
    = [](const SortEntry& a, const SortEntry& b) { return a.head != b.head ? a.head < b.head : a.next < b.next; };

/// Sorts entries that share their first `from` folded bytes by the sixteen that follow,
/// then each group that shares those too by the next sixteen, and so on: each text is
/// read once a step, not once a comparison. Texts that end within the bytes compared are
/// padded with zeros, which ties them with a text holding NUL bytes there: a group of such
/// texts is left to the full comparison.
void SortFrom(std::vector<SortEntry>::iterator begin, std::vector<SortEntry>::iterator end, std::size_t from,
    const std::vector<std::string_view>& texts)
{
    std::size_t longest = 0;
    for (auto e = begin; e != end; ++e) {
        std::string_view text = texts[e->id];
        e->head = FoldedWord(text, from);
        e->next = FoldedWord(text, from + 8);
        longest = std::max(longest, text.size());
    }
    if (longest <= from + 16) {
        std::sort(begin, end, [&texts](const SortEntry& a, const SortEntry& b) {
            return BytesBefore(a, b)
                || (!BytesBefore(b, a) && CaseFold::CompareIgnoringCase(texts[a.id], texts[b.id]) < 0);
        });
        return;
    }
    std::sort(begin, end, BytesBefore);
    for (auto group = begin; group != end;) {
        auto after = std::find_if(group + 1, end, [&](const SortEntry& e) { return BytesBefore(*group, e); });
        if (after - group > 1)
            SortFrom(group, after, from + 16, texts);
        group = after;
    }
}

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
    // The slots keep each entry's hash: the texts, all over memory, are not read again.
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(size, Slot {});
    m_removedSlots = 0;
    std::size_t mask = size - 1;
    for (const Slot& slot : old) {
        if (slot.id == Free || slot.id == Removed)
            continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].id != Free)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

void FoldedTextSet::Clear() { *this = FoldedTextSet(); }

const std::vector<std::uint32_t>& FoldedTextSet::SortedIds() const
{
    if (m_sortedValid)
        return m_sorted;
    std::vector<SortEntry> entries;
    entries.reserve(m_count);
    for (std::uint32_t id = 0; id < m_entries.size(); ++id)
        if (m_live[id])
            entries.push_back({ 0, 0, id });
    SortFrom(entries.begin(), entries.end(), 0, m_entries);
    m_sorted.clear();
    m_sorted.reserve(entries.size());
    for (const SortEntry& entry : entries)
        m_sorted.push_back(entry.id);
    m_sortedValid = true;
    return m_sorted;
}
