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

void PageReadAhead::Queue(std::string name, std::string realPath)
{
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back({ std::move(name), std::move(realPath) });
        ++m_pending;
    }
    m_work.notify_one();
}

PageReadAhead::Page PageReadAhead::Take()
{
    std::unique_lock lock(m_mutex);
    assert(m_pending > 0 && "a page is taken only after it was queued");
    m_done.wait(lock, [this] { return !m_finished.empty(); });
    Page page = std::move(m_finished.front());
    m_finished.pop_front();
    m_bytes -= page.walked.Bytes();
    --m_pending;
    lock.unlock();
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
        m_work.wait(lock, [this] { return m_stop || (!m_requests.empty() && HasRoom()); });
        if (m_stop)
            return;
        Request request = std::move(m_requests.front());
        m_requests.pop_front();
        lock.unlock();
        Page page = Prepare(std::move(request));
        lock.lock();
        m_bytes += page.walked.Bytes();
        m_finished.push_back(std::move(page));
        m_done.notify_one();
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
        page.walked = WalkedPage::Of(std::move(text), m_markup, WalkedPage::Anchors::Index);
    return page;
}
