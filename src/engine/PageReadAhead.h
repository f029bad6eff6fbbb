#pragma once

#include "engine/WalkedPage.h"
#include "platform/FileStamp.h"
#include "platform/FileSystem.h"
#include "platform/InternedTexts.h"
#include "platform/RegularFile.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

/// Reads and walks the pages of an off-line run on a second thread, ahead of their turn.
/// The run's thread queues each page as the trace queues it and takes the finished
/// pages back in the same order. Finished pages wait in a bounded queue (a number of
/// pages and a number of bytes, past which only one more waits), so memory stays bounded
/// whatever the size of the site. The reader touches no run state: it reads through
/// ReadRegularFile and walks with WalkedPage. While the queue of finished pages is full,
/// the reader indexes the anchors of the pages queued further on, as links to a page's
/// anchors mostly come before its turn. While the reader is well ahead of the run, each
/// page also carries the anchors of the pages its links with an anchor lead to, unless an
/// earlier page carried them: the run needs them at that page's turn. Destroying the
/// object stops the reader after the page it is on and joins it.
class PageReadAhead {
public:
    /// The anchors of a page that a link of the page read ahead leads to, read from the
    /// file the link names when every name is written as stored.
    struct TargetAnchors {
        /// From the site's folder.
        std::string path;
        FileStamp stamp;
        AnchorIndex::Anchors anchors;
    };

    struct Page {
        std::string name;
        std::string realPath;
        /// The run's number for the page's file, handed back as it was queued.
        std::uint32_t file;
        /// Taken on the open file before it was read; nothing unless it was read.
        std::optional<FileStamp> stamp;
        FileRead read;
        WalkedPage walked;
        /// Whether `walked` holds the page's anchors: not when the reader sent them with
        /// an earlier page, which the run keeps or reads anew.
        bool anchorsIndexed = false;
        std::vector<TargetAnchors> targets;
        /// What the page holds in memory, counted against MaxBytes.
        std::size_t bytes = 0;
    };

    struct IndexedAnchors {
        FileStamp stamp;
        AnchorIndex::Anchors anchors;
    };

    static constexpr std::size_t MaxPages = 32;
    static constexpr std::size_t MaxBytes = std::size_t(4) << 20;
    /// Pages whose anchors wait indexed ahead of their turn: a traced site queues most of
    /// its pages long before it reads them, and their anchors must not all wait in memory.
    static constexpr std::size_t MaxIndexedAhead = 2048;

    /// `siteFolder` is the folder the pages' names start from, as the file system's look-up
    /// writes it in a real path.
    PageReadAhead(WalkedPage::Markup markup, std::string siteFolder);
    ~PageReadAhead();
    PageReadAhead(const PageReadAhead&) = delete;
    PageReadAhead& operator=(const PageReadAhead&) = delete;

    /// `realPath` is where the page `name` is stored; empty when it was not found, which
    /// the reader passes on as missing without looking. `file` comes back with the page.
    void Queue(std::string name, std::string realPath, std::uint32_t file, WalkedPage::Anchors anchors);
    /// The oldest page queued and not taken yet, once it is finished. Precondition: there
    /// is one.
    Page Take();
    /// The anchors of the page stored at `realPath`, when they have been indexed ahead of
    /// its turn; each page's once.
    std::optional<IndexedAnchors> TakeAnchors(const std::string& realPath);
    /// How many pages are finished and not taken yet.
    std::size_t Finished() const;

private:
    struct Request {
        std::string name;
        std::string realPath;
        std::uint32_t file;
        WalkedPage::Anchors anchors;
    };

    struct Next {
        Request request;
        std::optional<IndexedAnchors> indexed;
    };

    void ReadPages();
    /// Takes the oldest request off the queue, with its anchors if they were indexed.
    Next NextRequest();
    Page Prepare(Request request, std::optional<IndexedAnchors> indexed) const;
    /// Reads the anchors of the pages the page's links lead to; on the reader only.
    void IndexTargets(Page& page);
    /// Whether the anchors of the file at `path` (from the site's folder) are on their way
    /// to the run already; the first time for each path it answers no. On the reader only.
    bool AnchorsSent(std::string_view path);
    /// Whether the anchors of `path` went to the run with an earlier page or were indexed
    /// ahead; unlike AnchorsSent, it records nothing. On the reader only.
    bool AnchorsSentAlready(std::string_view path) const;
    /// The path of the file from the site's folder; empty (always "sent": the run reads
    /// such anchors itself) when the file lies outside it.
    std::string_view InSiteFolder(std::string_view realPath) const;
    /// Indexes the anchors of the first request not looked at yet, if it wants them.
    void IndexAhead(std::unique_lock<std::mutex>& lock);
    bool Full() const
    {
        return !m_finished.empty() && (m_finished.size() >= MaxPages || m_bytes >= MaxBytes);
    }
    bool CanIndexAhead() const { return m_indexed < m_requests.size() && m_anchors.size() < MaxIndexedAhead; }
    bool HalfEmpty() const { return m_finished.size() <= MaxPages / 2 && m_bytes <= MaxBytes / 2; }

    WalkedPage::Markup m_markup;
    /// The site's folder as the start of a real path, "/" included.
    std::string m_sitePrefix;
    /// The pages whose anchors a page carried or whose own walk indexed them.
    InternedTexts m_anchorsSent;
    mutable std::mutex m_mutex;
    std::condition_variable m_work;
    std::condition_variable m_done;
    std::deque<Request> m_requests;
    /// How many requests at the front of m_requests have had their anchors indexed.
    std::size_t m_indexed = 0;
    std::unordered_map<std::string, IndexedAnchors> m_anchors;
    /// Pages whose anchors the run has taken: their walk need not index them again.
    std::unordered_set<std::string> m_anchorsTaken;
    std::deque<Page> m_finished;
    std::size_t m_bytes = 0;
    /// Queued and not taken, the page being read included.
    std::size_t m_pending = 0;
    /// The reader waits for the queue to drain to half, rather than waking for each
    /// page taken: a wake-up costs more than reading a page.
    bool m_full = false;
    /// The reader is reading the oldest page not finished.
    bool m_reading = false;
    /// Who waits, so that the other signals only then: a signal costs a system call.
    bool m_readerWaits = false;
    bool m_runWaits = false;
    bool m_stop = false;
    std::thread m_reader;
};
