#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

/// An HTTP server on a 127.0.0.x address that answers every connection on a thread of
/// its own, so many clients are served at once: it reads the request, asks the reply
/// for its method and path, waits the reply's delay (ended early when the server stops) and sends
/// it, or holds the connection open until the client goes or the server stops. It counts
/// the connections open at once, and may share that count with other servers.
class ConcurrentServer {
public:
    struct Reply {
        std::chrono::milliseconds delay {};
        /// Sent whole before the connection is closed; nothing is sent while `stall`.
        std::string response;
        bool stall = false;
        /// Closed at once with a reset, unanswered.
        bool reset = false;
    };
    using Replies = std::function<Reply(const std::string& method, const std::string& path)>;

    /// Connections open at once: now, and the most seen.
    struct OpenCount {
        std::atomic<int> now { 0 };
        std::atomic<int> most { 0 };
        void Opened();
        void Closed() { --now; }
    };

    /// Throws std::runtime_error when `address` cannot be bound.
    ConcurrentServer(Replies replies, const std::string& address = "127.0.0.1", OpenCount* shared = nullptr);
    ~ConcurrentServer();
    ConcurrentServer(const ConcurrentServer&) = delete;
    ConcurrentServer& operator=(const ConcurrentServer&) = delete;

    /// "http://<address>:<port>" + path.
    std::string Url(const std::string& path = "/") const;
    const OpenCount& Open() const { return m_open; }
    /// The request paths received so far, in the order they arrived.
    std::vector<std::string> Paths() const;

    static Reply Ok(std::chrono::milliseconds delay = {});

private:
    void Serve();
    void Answer(int connection);
    void Closed();
    /// False when the server stopped first.
    bool WaitUnlessStopped(std::chrono::milliseconds limit) const;

    Replies m_replies;
    std::string m_address;
    OpenCount m_open;
    OpenCount* m_shared;
    int m_port = 0;
    int m_listener = -1;
    int m_stop[2] = { -1, -1 };
    mutable std::mutex m_mutex;
    std::vector<std::string> m_paths;
    std::vector<std::thread> m_answers;
    std::thread m_thread;
};
