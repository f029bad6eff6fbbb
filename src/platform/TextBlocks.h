#pragma once

#include <memory>
#include <string_view>
#include <vector>

/// Bytes of many texts kept in blocks that are filled and never moved: a copy stays
/// where it was put for the life of the object, and there is no doubling of one large
/// buffer, whose copy would briefly need three times the texts' size.
class TextBlocks {
public:
    /// A copy of `text` that stays valid until the object is destroyed.
    std::string_view Keep(std::string_view text);

private:
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::size_t m_used = 0;
    std::vector<std::unique_ptr<char[]>> m_longTexts;
};
