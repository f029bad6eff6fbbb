#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

/// The anchors a page defines: the values of the NAME and ID attributes of its tags
/// (outside comments), upper-cased. Each page is read once per run and its anchors kept,
/// so a site with many "#" links to the same page does not read that page again.
class AnchorIndex {
public:
    using Anchors = std::unordered_set<std::string>;

    static Anchors AnchorsOf(std::string_view pageText);

    /// The anchors of the page stored at `key` (its real path); `load` gives the page
    /// text the first time.
    template<typename Load> const Anchors& Of(const std::string& key, Load&& load)
    {
        auto it = m_pages.find(key);
        if (it == m_pages.end())
            it = m_pages.emplace(key, AnchorsOf(load())).first;
        return it->second;
    }

private:
    std::unordered_map<std::string, Anchors> m_pages;
};
