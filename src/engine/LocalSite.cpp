#include "engine/LocalSite.h"

FileRead LocalSite::FetchPage(const std::string& page, std::string& text) const
{
    return m_fs.ReadFile(page, text);
}

FileSystem::Found LocalSite::TargetExists(const std::string& folder, const std::string& target) const
{
    bool inFolder = !folder.empty() && target.compare(0, folder.size(), folder) == 0;
    if (!inFolder)
        return m_fs.Locate(target, FileSystem::Kind::File);
    return m_fs.Locate(folder, std::string_view(target).substr(folder.size()), FileSystem::Kind::File);
}

const AnchorIndex::Anchors& LocalSite::AnchorsOf(const std::string& realPath)
{
    return m_anchors.Of(realPath, [&] {
        std::string text;
        m_fs.ReadFile(realPath, text);
        return text;
    });
}
