#include "engine/AnchorSet.h"

#include <algorithm>

AnchorSet::AnchorSet(std::vector<std::string_view> anchors)
{
    std::sort(anchors.begin(), anchors.end());
    anchors.erase(std::unique(anchors.begin(), anchors.end()), anchors.end());
    std::size_t bytes = 0;
    for (std::string_view anchor : anchors)
        bytes += anchor.size();
    m_texts.reserve(bytes);
    m_ends.reserve(anchors.size());
    for (std::string_view anchor : anchors) {
        m_texts += anchor;
        m_ends.push_back(std::uint32_t(m_texts.size()));
    }
}

bool AnchorSet::Contains(std::string_view anchor) const
{
    std::size_t low = 0;
    std::size_t high = m_ends.size();
    while (low < high) {
        std::size_t middle = low + (high - low) / 2;
        int order = At(middle).compare(anchor);
        if (order == 0)
            return true;
        if (order < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return false;
}
