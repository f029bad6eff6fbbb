#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>

/// The message loop of one thread: file-descriptor watchers, posted calls ("a message to
/// myself", run after the current handler returns), one-shot timers, and a post that any
/// thread may use (how a name-lookup worker hands its result back). Everything is
/// dispatched on the owning thread. Handlers may pump the queue again from inside
/// themselves (a blocking request waiting for the network does), so every dispatch looks
/// its target up afresh and a handler may remove itself or any other entry.
class MessageQueue {
public:
    using Callback = std::function<void()>;
    /// Receives the poll(2) result bits (POLLIN, POLLOUT, POLLERR, POLLHUP).
    using FdCallback = std::function<void(short revents)>;
    using Id = std::uint64_t;
    using Duration = std::chrono::milliseconds;
    /// Callable from any thread, also after the queue is gone (the call is then dropped).
    using ThreadSafePost = std::function<void(Callback)>;

    MessageQueue();
    ~MessageQueue();
    MessageQueue(const MessageQueue&) = delete;
    MessageQueue& operator=(const MessageQueue&) = delete;

    /// The queue of the calling thread, made on first use.
    static MessageQueue& ForThisThread();

    /// `events` are poll(2) bits; 0 keeps the watcher but stops its notifications.
    Id Watch(int fd, short events, FdCallback callback);
    void SetEvents(Id watcher, short events);
    void Unwatch(Id watcher);

    void Post(Callback callback);
    ThreadSafePost ThreadSafePoster() const;

    Id StartTimer(Duration delay, Callback callback);
    void CancelTimer(Id timer);

    /// Dispatches everything pending now and returns without waiting.
    std::size_t ProcessMessages();
    /// Waits at most `limit` for something to become pending, then dispatches it.
    std::size_t WaitAndProcess(Duration limit);

private:
    struct Watcher {
        int fd;
        short events;
        std::shared_ptr<FdCallback> callback;
    };
    struct Timer {
        std::chrono::steady_clock::time_point due;
        std::shared_ptr<Callback> callback;
    };
    struct Inbox;

    std::size_t Dispatch(Duration limit);
    std::size_t DispatchTimers();
    std::size_t DispatchPosted();
    void TakeInbox();

    Id m_nextId = 1;
    std::map<Id, Watcher> m_watchers;
    std::map<Id, Timer> m_timers;
    std::deque<Callback> m_posted;
    std::shared_ptr<Inbox> m_inbox;
};
