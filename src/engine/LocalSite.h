#pragma once

#include "engine/AnchorIndex.h"
#include "platform/FileSystem.h"

#include <string>

/// The site on disk as the run reads it: pages loaded through the file system's
/// letter-case-insensitive look-up, targets tested with the letter-case test, and the
/// anchors of each page read once.
class LocalSite {
public:
    explicit LocalSite(std::string folder)
        : m_fs(std::move(folder))
    {
    }

    const FileSystem& Files() const { return m_fs; }

    /// The page's text, or why it cannot be had.
    FileRead FetchPage(const std::string& page, std::string& text) const;

    /// Looks a target up; `folder` is the part of it that names the referring page's
    /// folder, whose letter case is not judged again.
    FileSystem::Found TargetExists(const std::string& folder, const std::string& target) const;

    /// The anchors of an existing page, found by its real path.
    const AnchorIndex::Anchors& AnchorsOf(const std::string& realPath);

private:
    FileSystem m_fs;
    AnchorIndex m_anchors;
};
