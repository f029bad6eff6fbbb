#include "platform/TextBlocks.h"

#include <cstring>

namespace {

constexpr std::size_t BlockSize = 64 * 1024;

}

std::string_view TextBlocks::Keep(std::string_view text)
{
    if (text.empty())
        return {};
    if (text.size() > BlockSize / 4) {
        // A long text gets a block of its own, so the block being filled is not cut short.
        m_longTexts.push_back(std::make_unique_for_overwrite<char[]>(text.size()));
        std::memcpy(m_longTexts.back().get(), text.data(), text.size());
        return { m_longTexts.back().get(), text.size() };
    }
    if (m_blocks.empty() || m_used + text.size() > BlockSize) {
        m_blocks.push_back(std::make_unique_for_overwrite<char[]>(BlockSize));
        m_used = 0;
    }
    char* at = m_blocks.back().get() + m_used;
    std::memcpy(at, text.data(), text.size());
    m_used += text.size();
    return { at, text.size() };
}
