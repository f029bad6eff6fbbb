#include "engine/PageReadAhead.h"

#include <cassert>

PageReadAhead::PageReadAhead(WalkedPage::Markup markup, std::string siteFolder)
    : m_markup(markup)
    , m_sitePrefix(siteFolder == "/" ? siteFolder : siteFolder + "/")
    , m_reader([this] { ReadPages(); })
{
}

PageReadAhead::~PageReadAhead()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_work.notify_one();
    m_reader.join();
}

void PageReadAhead::Queue(std::string name, std::string realPath, std::uint32_t file, WalkedPage::Anchors anchors)
{
    std::unique_lock lock(m_mutex);
    m_requests.push_back({ std::move(name), std::move(realPath), file, anchors });
    ++m_pending;
    bool wake = m_readerWaits;
    lock.unlock();
    if (wake)
        m_work.notify_one();
}

PageReadAhead::Page PageReadAhead::Take()
{
    std::unique_lock lock(m_mutex);
    assert(m_pending > 0 && "a page is taken only after it was queued");
    if (m_finished.empty() && !m_reading) {
        // The reader is behind (on a busy machine it may wait long for a core): the run
        // reads the page itself rather than wait for it.
        Next next = NextRequest();
        --m_pending;
        lock.unlock();
        return Prepare(std::move(next.request), std::move(next.indexed));
    }
    m_runWaits = true;
    m_done.wait(lock, [this] { return !m_finished.empty(); });
    m_runWaits = false;
    Page page = std::move(m_finished.front());
    m_finished.pop_front();
    m_bytes -= page.bytes;
    --m_pending;
    bool wake = m_full && HalfEmpty();
    if (wake)
        m_full = false;
    wake = wake && m_readerWaits;
    lock.unlock();
    if (wake)
        m_work.notify_one();
    return page;
}

std::optional<PageReadAhead::IndexedAnchors> PageReadAhead::TakeAnchors(const std::string& realPath)
{
    std::lock_guard lock(m_mutex);
    auto it = m_anchors.find(realPath);
    if (it == m_anchors.end())
        return std::nullopt;
    IndexedAnchors indexed = std::move(it->second);
    m_anchors.erase(it);
    m_anchorsTaken.insert(realPath);
    return indexed;
}

std::size_t PageReadAhead::Finished() const
{
    std::lock_guard lock(m_mutex);
    return m_finished.size();
}

void PageReadAhead::ReadPages()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_readerWaits = true;
        m_work.wait(lock,
            [this] { return m_stop || (!m_full && !m_requests.empty()) || CanIndexAhead(); });
        m_readerWaits = false;
        if (m_stop)
            return;
        if (m_full) {
            IndexAhead(lock);
            continue;
        }
        Next next = NextRequest();
        m_reading = true;
        lock.unlock();
        if (!next.indexed && next.request.anchors == WalkedPage::Anchors::Index
            && AnchorsSentAlready(InSiteFolder(next.request.realPath)))
            next.request.anchors = WalkedPage::Anchors::Skip;
        Page page = Prepare(std::move(next.request), std::move(next.indexed));
        IndexTargets(page);
        page.bytes = page.walked.Bytes();
        for (const TargetAnchors& target : page.targets)
            page.bytes += sizeof target + target.path.capacity() + target.anchors.HeapBytes();
        lock.lock();
        m_reading = false;
        m_bytes += page.bytes;
        m_finished.push_back(std::move(page));
        m_full = Full();
        if (m_runWaits) {
            lock.unlock();
            m_done.notify_one();
            lock.lock();
        }
    }
}

PageReadAhead::Next PageReadAhead::NextRequest()
{
    Next next { std::move(m_requests.front()), std::nullopt };
    m_requests.pop_front();
    m_indexed -= m_indexed > 0;
    if (auto it = m_anchors.find(next.request.realPath); it != m_anchors.end()) {
        next.indexed = std::move(it->second);
        m_anchors.erase(it);
    }
    if (m_anchorsTaken.erase(next.request.realPath))
        next.request.anchors = WalkedPage::Anchors::Skip;
    return next;
}

void PageReadAhead::IndexAhead(std::unique_lock<std::mutex>& lock)
{
    const Request& request = m_requests[m_indexed++];
    if (request.anchors == WalkedPage::Anchors::Skip || request.realPath.empty()
        || m_anchors.count(request.realPath))
        return;
    std::string realPath = request.realPath;
    lock.unlock();
    if (AnchorsSent(InSiteFolder(realPath))) {
        lock.lock();
        return;
    }
    FileStamp stamp;
    std::string text;
    bool read = ReadRegularFile(realPath, text, stamp).Ok();
    AnchorIndex::Anchors anchors = read ? AnchorIndex::AnchorsOf(text) : AnchorIndex::Anchors();
    lock.lock();
    if (read)
        m_anchors.try_emplace(std::move(realPath), IndexedAnchors { stamp, std::move(anchors) });
}

bool PageReadAhead::AnchorsSentAlready(std::string_view path) const
{
    return !path.empty() && m_anchorsSent.Find(path) != InternedTexts::Missing;
}

bool PageReadAhead::AnchorsSent(std::string_view path)
{
    std::size_t known = m_anchorsSent.Count();
    m_anchorsSent.Intern(path);
    return m_anchorsSent.Count() == known;
}

std::string_view PageReadAhead::InSiteFolder(std::string_view realPath) const
{
    return realPath.starts_with(m_sitePrefix) ? realPath.substr(m_sitePrefix.size()) : std::string_view();
}

void PageReadAhead::IndexTargets(Page& page)
{
    if (!page.read.Ok())
        return;
    // The run keeps the anchors of this page at its turn, before any later page needs them.
    AnchorsSent(InSiteFolder(page.realPath));
    // A run close behind the reader would wait for them: it reads them itself when it needs them.
    if (Finished() < MaxPages / 2)
        return;
    const WalkedPage& walked = page.walked;
    for (std::size_t i = 0; i < walked.references.size(); ++i) {
        ResolvedReference::KeyView key = walked.KeyOf(i);
        // A path climbing out of the site's folder, or spelt with "\\", has a real path
        // of another spelling: the run reads those anchors itself.
        if (walked.references[i].use != ResolvedReference::Use::Link || key.fragment.empty()
            || key.scope >= ResolvedReference::KeyParts::NoPath || key.text.empty()
            || key.text.size() > FileSystem::MaxPath || key.text.front() == '/' || key.text.starts_with("..")
            || key.text.find('\\') != std::string_view::npos)
            continue;
        if (AnchorsSent(key.text))
            continue;
        std::string realPath = m_sitePrefix + std::string(key.text);
        FileStamp stamp;
        std::string text;
        if (ReadRegularFile(realPath, text, stamp).Ok())
            page.targets.push_back({ std::string(key.text), stamp, AnchorIndex::AnchorsOf(text) });
    }
}

PageReadAhead::Page PageReadAhead::Prepare(Request request, std::optional<IndexedAnchors> indexed) const
{
    Page page { std::move(request.name), std::move(request.realPath), request.file, {}, { FileRead::Status::Missing },
        {}, false, {} };
    if (page.realPath.empty())
        return page;
    // Stamped before the read: a change made while it is read shows at the page's turn.
    FileStamp stamp;
    std::string text;
    page.read = ReadRegularFile(page.realPath, text, stamp);
    if (!page.read.Ok())
        return page;
    page.stamp = stamp;
    bool reuse = indexed && page.stamp == indexed->stamp;
    page.walked
        = WalkedPage::Of(std::move(text), m_markup, reuse ? WalkedPage::Anchors::Skip : request.anchors);
    if (reuse)
        page.walked.anchors = std::move(indexed->anchors);
    page.anchorsIndexed = reuse || request.anchors == WalkedPage::Anchors::Index;
    page.walked.MakeKeys(page.name);
    return page;
}
