#pragma once

#include "engine/AnchorSet.h"

#include <string>
#include <string_view>
#include <unordered_map>

/// The anchors a page defines: the ID of any tag and the NAME of "<A>" and "<MAP>" tags
/// (outside comments), letter case as written. Each page is read once per run and its
/// anchors kept, so a site with many "#" links to the same page does not read that page
/// again.
class AnchorIndex {
public:
    using Anchors = AnchorSet;
    enum class Match { Exact, OtherCase, None };

    static Anchors AnchorsOf(std::string_view pageText);
    /// Browsers match a fragment letter for letter; one that matches only when letter case
    /// is ignored is a mistake worth reporting apart from a missing anchor.
    static Match Find(const Anchors& anchors, std::string_view fragment);

    /// The anchors of the page stored at `key` (its real path); `load` gives the page
    /// text the first time.
    template <typename Load> const Anchors& Of(const std::string& key, Load&& load)
    {
        auto it = m_pages.find(key);
        if (it == m_pages.end())
            it = m_pages.emplace(key, AnchorsOf(load())).first;
        return it->second;
    }

    bool Has(const std::string& key) const { return m_pages.count(key) > 0; }
    /// Keeps `anchors` as those of the page stored at `key`. Precondition: it has none yet.
    void Keep(const std::string& key, Anchors anchors) { m_pages.emplace(key, std::move(anchors)); }

private:
    std::unordered_map<std::string, Anchors> m_pages;
};
