#include "platform/InternedTexts.h"

#include <functional>

namespace {

std::uint32_t HashOf(std::string_view text)
{
    return std::uint32_t(std::hash<std::string_view>()(text));
}

}

InternedTexts::InternedTexts()
    : m_slots(64)
{
    m_texts.push_back({});
    std::uint32_t hash = HashOf({});
    m_slots[SlotOf({}, hash)] = { hash, Empty };
}

std::uint32_t InternedTexts::Intern(std::string_view text)
{
    std::uint32_t hash = HashOf(text);
    Slot& slot = m_slots[SlotOf(text, hash)];
    if (slot.id != Free)
        return slot.id;
    auto id = std::uint32_t(m_texts.size());
    slot = { hash, id };
    m_texts.push_back(m_bytes.Keep(text));
    if (4 * m_texts.size() > 3 * m_slots.size())
        Grow();
    return id;
}

std::uint32_t InternedTexts::Find(std::string_view text) const
{
    return m_slots[SlotOf(text, HashOf(text))].id;
}

std::size_t InternedTexts::SlotOf(std::string_view text, std::uint32_t hash) const
{
    std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.id == Free || (slot.hash == hash && m_texts[slot.id] == text))
            return i;
    }
}

void InternedTexts::Grow()
{
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(2 * old.size(), Slot {});
    std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.id == Free)
            continue;
        std::size_t i = slot.hash & mask;
        while (m_slots[i].id != Free)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}
