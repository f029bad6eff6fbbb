#pragma once

#include "engine/AnchorIndex.h"

#include <cstdint>
#include <optional>
#include <vector>

/// The anchors of the site's files by the numbers the file look-up gives them, each
/// file's read once a run. A large site keeps the anchors of every page: a table by
/// number hashes no real path and keeps no string for each.
class FileAnchors {
public:
    bool Has(std::uint32_t file) const { return file < m_files.size() && m_files[file]; }
    /// Keeps `anchors` as those of `file`. Precondition: it has none yet.
    void Keep(std::uint32_t file, AnchorSet anchors)
    {
        if (file >= m_files.size())
            m_files.resize(std::size_t(file) + 1);
        m_files[file] = std::move(anchors);
    }
    /// The anchors of `file`; `load` gives its text the first time.
    template <typename Load> const AnchorSet& Of(std::uint32_t file, Load&& load)
    {
        if (!Has(file))
            Keep(file, AnchorIndex::AnchorsOf(load()));
        return *m_files[file];
    }

private:
    std::vector<std::optional<AnchorSet>> m_files;
};
