#include "platform/InternedTexts.h"

#include <functional>

namespace {

std::uint32_t HashOf(std::string_view text)
{
    return std::uint32_t(std::hash<std::string_view>()(text));
}

}

InternedTexts::InternedTexts()
    : m_slots(64, Free)
{
    m_texts.push_back({});
    m_hashes.push_back(HashOf({}));
    m_slots[SlotOf({}, m_hashes[0])] = Empty;
}

std::uint32_t InternedTexts::Intern(std::string_view text)
{
    std::uint32_t hash = HashOf(text);
    std::uint32_t& slot = m_slots[SlotOf(text, hash)];
    if (slot != Free)
        return slot;
    slot = std::uint32_t(m_texts.size());
    m_texts.push_back(m_bytes.Keep(text));
    m_hashes.push_back(hash);
    if (2 * m_texts.size() > m_slots.size())
        Grow();
    return std::uint32_t(m_texts.size() - 1);
}

std::uint32_t InternedTexts::Find(std::string_view text) const
{
    return m_slots[SlotOf(text, HashOf(text))];
}

std::size_t InternedTexts::SlotOf(std::string_view text, std::uint32_t hash) const
{
    std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        std::uint32_t id = m_slots[i];
        if (id == Free || (m_hashes[id] == hash && m_texts[id] == text))
            return i;
    }
}

void InternedTexts::Grow()
{
    m_slots.assign(2 * m_slots.size(), Free);
    std::size_t mask = m_slots.size() - 1;
    for (std::uint32_t id = 0; id < m_texts.size(); ++id) {
        std::size_t i = m_hashes[id] & mask;
        while (m_slots[i] != Free)
            i = (i + 1) & mask;
        m_slots[i] = id;
    }
}
