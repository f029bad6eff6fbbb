#include "platform/StringSet.h"

std::uint64_t StringSet::Hash(std::string_view text)
{
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : text)
        h = (h ^ c) * 1099511628211ull;
    return h ^ (h >> 29);
}

std::size_t StringSet::Find(std::string_view text, std::uint64_t hash) const
{
    std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.length == 0)
            return i;
        if (slot.hash == hash && slot.length - 1 == text.size()
            && std::string_view(m_texts).substr(slot.offset, text.size()) == text)
            return i;
    }
}

bool StringSet::Insert(std::string_view text)
{
    // Kept at most half full, so a probe ends soon at a free slot.
    if (2 * (m_count + 1) > m_slots.size())
        Grow();
    std::uint64_t hash = Hash(text);
    Slot& slot = m_slots[Find(text, hash)];
    if (slot.length != 0)
        return false;
    slot = { hash, std::uint32_t(m_texts.size()), std::uint32_t(text.size() + 1) };
    m_texts.append(text);
    ++m_count;
    return true;
}

bool StringSet::Contains(std::string_view text) const
{
    return !m_slots.empty() && m_slots[Find(text, Hash(text))].length != 0;
}

void StringSet::Grow()
{
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(old.empty() ? 1024 : 2 * old.size(), Slot {});
    std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.length == 0)
            continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].length != 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}

void StringSet::Clear()
{
    m_slots.clear();
    m_texts.clear();
    m_count = 0;
}
