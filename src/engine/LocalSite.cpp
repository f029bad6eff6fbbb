#include "engine/LocalSite.h"

#include <cassert>

FileRead LocalSite::FetchPage(const std::string& page, std::string& text) const
{
    return m_fs.ReadFile(page, text);
}

void LocalSite::ReadAhead(WalkedPage::Markup markup)
{
    m_readAhead.emplace(markup, m_fs.BaseFolder());
}

void LocalSite::EndReadAhead()
{
    m_readAhead.reset();
}

void LocalSite::QueuePage(const std::string& page)
{
    if (!m_readAhead || !HasPageExtension(page))
        return;
    // The folders of a queued page have been read into the look-up already, and it keeps
    // them for the run: the page's turn finds the same file.
    FileSystem::Found found = m_fs.Locate(page, FileSystem::Kind::File);
    if (!found.exists) {
        m_readAhead->Queue(page, {}, FileSystem::NoFile, WalkedPage::Anchors::Skip);
        return;
    }
    // A link with an anchor to the page has most often had its anchors read already.
    bool indexed = m_anchors.Has(found.file);
    m_readAhead->Queue(page, std::move(found.realPath), found.file,
        indexed ? WalkedPage::Anchors::Skip : WalkedPage::Anchors::Index);
}

FileRead LocalSite::ReadPage(const std::string& page, WalkedPage::Markup markup, WalkedPage& walked)
{
    if (m_readAhead) {
        PageReadAhead::Page ahead = m_readAhead->Take();
        assert(ahead.name == page && "pages are read in the order they were queued");
        // A page linked to may have changed since it was read: its anchors are kept only as it is now.
        for (PageReadAhead::TargetAnchors& target : ahead.targets) {
            FileSystem::Found found = m_fs.Locate(target.path, FileSystem::Kind::File);
            if (found.exists && !m_anchors.Has(found.file) && target.stamp == FileStampOf(found.realPath))
                m_anchors.Keep(found.file, std::move(target.anchors));
        }
        if (ahead.read.Ok() && ahead.stamp && ahead.stamp == FileStampOf(ahead.realPath)) {
            walked = std::move(ahead.walked);
            if (ahead.anchorsIndexed && !m_anchors.Has(ahead.file))
                m_anchors.Keep(ahead.file, std::move(walked.anchors));
            return {};
        }
    }
    std::string text;
    FileRead read = m_fs.ReadFile(page, text);
    if (read.Ok())
        walked = WalkedPage::Of(std::move(text), markup, WalkedPage::Anchors::Skip);
    return read;
}

FileSystem::Found LocalSite::TargetExists(const std::string& folder, const std::string& target) const
{
    bool inFolder = !folder.empty() && target.compare(0, folder.size(), folder) == 0;
    if (!inFolder)
        return m_fs.Locate(target, FileSystem::Kind::File);
    return m_fs.Locate(folder, std::string_view(target).substr(folder.size()), FileSystem::Kind::File);
}

const AnchorIndex::Anchors& LocalSite::AnchorsOf(const FileSystem::Found& page)
{
    if (m_readAhead && !m_anchors.Has(page.file)) {
        std::optional<PageReadAhead::IndexedAnchors> ahead = m_readAhead->TakeAnchors(page.realPath);
        if (ahead && ahead->stamp == FileStampOf(page.realPath))
            m_anchors.Keep(page.file, std::move(ahead->anchors));
    }
    // A real path names the file from the working folder, not from the site's folder.
    return m_anchors.Of(page.file, [&] {
        std::string text;
        ReadRegularFile(page.realPath, text);
        return text;
    });
}
