#pragma once

#include "engine/AnchorIndex.h"
#include "engine/FileAnchors.h"
#include "engine/PageReadAhead.h"
#include "engine/WalkedPage.h"
#include "platform/FileSystem.h"

#include <optional>
#include <string>

/// The site on disk as the run reads it: pages loaded through the file system's
/// letter-case-insensitive look-up (read and walked ahead on a second thread once the
/// run asks for it), targets tested with the letter-case test, and the anchors of each
/// page read once.
class LocalSite {
public:
    explicit LocalSite(std::string folder)
        : m_fs(std::move(folder))
    {
    }

    const FileSystem& Files() const { return m_fs; }

    /// The page's text, or why it cannot be had.
    FileRead FetchPage(const std::string& page, std::string& text) const;

    /// From now on every page queued with QueuePage is read and walked ahead.
    void ReadAhead(WalkedPage::Markup markup);
    /// Stops reading ahead; pages queued and not taken are dropped.
    void EndReadAhead();
    /// The run has queued `page`: with read-ahead on, the reader starts on it (a name
    /// that is no page is left to the run, which refuses it unread).
    void QueuePage(const std::string& page);
    /// The page's text and walk as reading it now gives them, or why it cannot be had.
    /// A page read ahead is taken when its file still has the stamp it had when read;
    /// otherwise, and when the reader could not read it, it is read again now, so the
    /// result is what reading it at this turn gives. The anchors of a page read ahead
    /// are kept, as they would be read from the same text.
    FileRead ReadPage(const std::string& page, WalkedPage::Markup markup, WalkedPage& walked);
    /// How many pages are read ahead and wait for their turn.
    std::size_t PagesReadAhead() const { return m_readAhead ? m_readAhead->Finished() : 0; }

    /// Looks a target up; `folder` is the part of it that names the referring page's
    /// folder, whose letter case is not judged again.
    FileSystem::Found TargetExists(const std::string& folder, const std::string& target) const;

    /// The anchors of an existing page, as the file look-up found it.
    const AnchorIndex::Anchors& AnchorsOf(const FileSystem::Found& page);

private:
    FileSystem m_fs;
    FileAnchors m_anchors;
    std::optional<PageReadAhead> m_readAhead;
};
