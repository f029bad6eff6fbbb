#pragma once

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct ssl_ctx_st;

/// A TCP server on 127.0.0.1 (or [::1]) that plays a script on each connection it
/// accepts, on a thread of its own: it first reads the request (up to the blank line that
/// ends its header) and records it, then sends bytes, pauses, closes, or holds the
/// connection open until the client goes or the server stops. Connection n plays script n
/// (the last script again once they run out). Over TLS (the test certificate) a close
/// sends no close_notify alert, as many HTTP/1.0 servers end their answers.
class LoopbackServer {
public:
    enum class Family { IPv4, IPv6 };
    enum class Transport { Plain, Tls };

    struct Step {
        enum class Kind { Send, Pause, Close, Stall, Greet };
        Kind kind;
        std::string bytes;
        std::chrono::milliseconds pause {};
    };
    using Script = std::vector<Step>;

    static Step Send(std::string bytes) { return { Step::Kind::Send, std::move(bytes), {} }; }
    static Step Pause(std::chrono::milliseconds pause) { return { Step::Kind::Pause, {}, pause }; }
    static Step Close() { return { Step::Kind::Close, {}, {} }; }
    static Step Stall() { return { Step::Kind::Stall, {}, {} }; }
    /// As the first step: sends `bytes` at once, without waiting for a request.
    static Step Greet(std::string bytes) { return { Step::Kind::Greet, std::move(bytes), {} }; }
    /// One script that sends `response` whole and closes.
    static Script Answer(std::string response) { return { Send(std::move(response)), Close() }; }

    /// Throws std::runtime_error when the loopback address of `family` cannot be bound.
    explicit LoopbackServer(
        std::vector<Script> scripts, Family family = Family::IPv4, Transport transport = Transport::Plain);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int Port() const { return m_port; }
    /// "http://127.0.0.1:<port>" + path ("https", "[::1]" as made).
    std::string Url(const std::string& path = "/") const;
    /// The request bytes received on each connection so far, in order.
    std::vector<std::string> Requests() const;

    /// A loopback port that nothing listens on.
    static int RefusedPort();
    /// Whether this machine lets a server listen on [::1].
    static bool HasIpv6Loopback();

private:
    void Serve();
    class Peer;
    void Play(Peer& peer, const Script& script);
    bool WaitForStopOr(int connection, std::chrono::milliseconds limit);

    std::vector<Script> m_scripts;
    Family m_family;
    std::unique_ptr<ssl_ctx_st, void (*)(ssl_ctx_st*)> m_tls;
    int m_port = 0;
    int m_listener = -1;
    int m_stop = -1;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};
