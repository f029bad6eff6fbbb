#include "platform/MessageQueue.h"

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <poll.h>
#include <stdexcept>
#include <sys/eventfd.h>
#include <unistd.h>
#include <utility>
#include <vector>

struct MessageQueue::Inbox {
    std::mutex mutex;
    std::vector<Callback> calls;
    int wakeFd = -1;

    Inbox()
        : wakeFd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
    {
        if (wakeFd < 0)
            throw std::runtime_error("eventfd failed");
    }
    ~Inbox() { ::close(wakeFd); }

    void Put(Callback call)
    {
        std::lock_guard lock(mutex);
        calls.push_back(std::move(call));
        const std::uint64_t one = 1;
        [[maybe_unused]] auto written = ::write(wakeFd, &one, sizeof one);
    }
};

MessageQueue::MessageQueue()
    : m_inbox(std::make_shared<Inbox>())
{
}

MessageQueue::~MessageQueue() = default;

MessageQueue& MessageQueue::ForThisThread()
{
    thread_local MessageQueue queue;
    return queue;
}

MessageQueue::Id MessageQueue::Watch(int fd, short events, FdCallback callback)
{
    const Id id = m_nextId++;
    m_watchers.emplace(id, Watcher { fd, events, std::make_shared<FdCallback>(std::move(callback)) });
    return id;
}

void MessageQueue::SetEvents(Id watcher, short events)
{
    if (auto it = m_watchers.find(watcher); it != m_watchers.end())
        it->second.events = events;
}

void MessageQueue::Unwatch(Id watcher)
{
    m_watchers.erase(watcher);
}

void MessageQueue::Post(Callback callback)
{
    m_posted.push_back(std::move(callback));
}

MessageQueue::ThreadSafePost MessageQueue::ThreadSafePoster() const
{
    return [inbox = m_inbox](Callback call) { inbox->Put(std::move(call)); };
}

MessageQueue::Id MessageQueue::StartTimer(Duration delay, Callback callback)
{
    const Id id = m_nextId++;
    m_timers.emplace(id,
        Timer { std::chrono::steady_clock::now() + delay, std::make_shared<Callback>(std::move(callback)) });
    return id;
}

void MessageQueue::CancelTimer(Id timer)
{
    m_timers.erase(timer);
}

std::size_t MessageQueue::ProcessMessages()
{
    return Dispatch(Duration::zero());
}

std::size_t MessageQueue::WaitAndProcess(Duration limit)
{
    return Dispatch(std::max(limit, Duration::zero()));
}

std::size_t MessageQueue::Dispatch(Duration limit)
{
    using namespace std::chrono;
    auto wait = limit;
    if (!m_posted.empty())
        wait = Duration::zero();
    const auto now = steady_clock::now();
    for (const auto& [id, timer] : m_timers)
        wait = std::min(wait, std::max(Duration::zero(), ceil<Duration>(timer.due - now)));

    std::vector<pollfd> fds { { m_inbox->wakeFd, POLLIN, 0 } };
    std::vector<Id> ids { 0 };
    for (const auto& [id, watcher] : m_watchers) {
        if (watcher.events == 0)
            continue;
        fds.push_back({ watcher.fd, watcher.events, 0 });
        ids.push_back(id);
    }
    const int timeoutMs = static_cast<int>(std::min<Duration::rep>(wait.count(), 1 << 30));
    int ready = ::poll(fds.data(), fds.size(), timeoutMs);
    if (ready < 0 && errno != EINTR)
        throw std::runtime_error("poll failed");

    std::size_t dispatched = 0;
    if (fds[0].revents & POLLIN)
        TakeInbox();
    for (std::size_t i = 1; ready > 0 && i < fds.size(); ++i) {
        if (fds[i].revents == 0)
            continue;
        auto it = m_watchers.find(ids[i]);
        // A handler that ran before may have removed this watcher or given its id's fd up.
        if (it == m_watchers.end() || it->second.fd != fds[i].fd || it->second.events == 0)
            continue;
        auto callback = it->second.callback;
        (*callback)(fds[i].revents);
        ++dispatched;
    }
    dispatched += DispatchTimers();
    dispatched += DispatchPosted();
    return dispatched;
}

std::size_t MessageQueue::DispatchTimers()
{
    const auto now = std::chrono::steady_clock::now();
    std::vector<Id> due;
    for (const auto& [id, timer] : m_timers)
        if (timer.due <= now)
            due.push_back(id);
    std::size_t dispatched = 0;
    for (Id id : due) {
        auto it = m_timers.find(id);
        if (it == m_timers.end())
            continue;
        auto callback = it->second.callback;
        m_timers.erase(it);
        (*callback)();
        ++dispatched;
    }
    return dispatched;
}

std::size_t MessageQueue::DispatchPosted()
{
    // Only what was posted before this pass; a handler that posts again runs next pass.
    std::size_t count = m_posted.size();
    std::size_t dispatched = 0;
    while (count-- > 0 && !m_posted.empty()) {
        Callback call = std::move(m_posted.front());
        m_posted.pop_front();
        call();
        ++dispatched;
    }
    return dispatched;
}

void MessageQueue::TakeInbox()
{
    std::vector<Callback> calls;
    {
        std::lock_guard lock(m_inbox->mutex);
        std::uint64_t count = 0;
        [[maybe_unused]] auto readBack = ::read(m_inbox->wakeFd, &count, sizeof count);
        calls.swap(m_inbox->calls);
    }
    for (auto& call : calls)
        m_posted.push_back(std::move(call));
}
