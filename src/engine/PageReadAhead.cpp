#include "engine/PageReadAhead.h"

#include <cassert>

PageReadAhead::PageReadAhead(WalkedPage::Markup markup)
    : m_markup(markup)
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

void PageReadAhead::Queue(std::string name, std::string realPath, WalkedPage::Anchors anchors)
{
    std::unique_lock lock(m_mutex);
    m_requests.push_back({ std::move(name), std::move(realPath), anchors });
    ++m_pending;
    bool wake = m_readerWaits && !m_full;
    lock.unlock();
    if (wake)
        m_work.notify_one();
}

PageReadAhead::Page PageReadAhead::Take()
{
    std::unique_lock lock(m_mutex);
    assert(m_pending > 0 && "a page is taken only after it was queued");
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
        m_work.wait(lock, [this] { return m_stop || (!m_requests.empty() && !m_full); });
        m_readerWaits = false;
        if (m_stop)
            return;
        Request request = std::move(m_requests.front());
        m_requests.pop_front();
        lock.unlock();
        Page page = Prepare(std::move(request));
        page.bytes = page.walked.Bytes();
        lock.lock();
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

PageReadAhead::Page PageReadAhead::Prepare(Request request) const
{
    Page page { std::move(request.name), std::move(request.realPath), {}, { FileRead::Status::Missing }, {} };
    if (page.realPath.empty())
        return page;
    // Stamped before the read: a change made while it is read shows at the page's turn.
    page.stamp = FileStampOf(page.realPath);
    std::string text;
    page.read = ReadRegularFile(page.realPath, text);
    if (page.read.Ok())
        page.walked = WalkedPage::Of(std::move(text), m_markup, request.anchors);
    return page;
}
