#include "support/LoopbackServer.h"

#include "support/TestCertificate.h"

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Family = LoopbackServer::Family;

int ListenOnLoopback(int& port, Family family = Family::IPv4)
{
    sockaddr_storage address {};
    socklen_t length = 0;
    if (family == Family::IPv4) {
        auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
        v4->sin_family = AF_INET;
        v4->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        length = sizeof *v4;
    } else {
        auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
        v6->sin6_family = AF_INET6;
        v6->sin6_addr = in6addr_loopback;
        length = sizeof *v6;
    }
    const int fd = ::socket(address.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(fd, 16) != 0) {
        if (fd >= 0)
            ::close(fd);
        throw std::runtime_error("LoopbackServer: cannot listen on the loopback address");
    }
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(family == Family::IPv4 ? reinterpret_cast<sockaddr_in*>(&address)->sin_port
                                        : reinterpret_cast<sockaddr_in6*>(&address)->sin6_port);
    return fd;
}

ssl_ctx_st* ServerTls()
{
    SSL_CTX* ctx = SSL_CTX_new(TLS_server_method());
    if (!ctx || SSL_CTX_use_certificate_chain_file(ctx, TestCertificate::ServerCertificateFile().c_str()) != 1
        || SSL_CTX_use_PrivateKey_file(ctx, TestCertificate::ServerKeyFile().c_str(), SSL_FILETYPE_PEM)
            != 1) {
        SSL_CTX_free(ctx);
        throw std::runtime_error("LoopbackServer: cannot load the test certificate");
    }
    return ctx;
}

// The header up to its blank line, and as many body bytes as its Content-Length gives.
bool RequestComplete(const std::string& request)
{
    const auto headerEnd = request.find("\r\n\r\n");
    if (headerEnd == std::string::npos)
        return false;
    const auto field = request.find("Content-Length: ");
    if (field == std::string::npos || field > headerEnd)
        return true;
    const std::size_t length = std::stoul(request.substr(field + 16));
    return request.size() >= headerEnd + 4 + length;
}

}

/// One accepted connection, plain or TLS. A blocked handshake or read gives up after a
/// few seconds, so a client that never speaks cannot hold the server thread.
class LoopbackServer::Peer {
public:
    Peer(int fd, ssl_ctx_st* tls)
        : fd(fd)
    {
        const timeval limit { 5, 0 };
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
        if (!tls)
            return;
        m_ssl = SSL_new(tls);
        SSL_set_fd(m_ssl, fd);
        m_handshakeFailed = SSL_accept(m_ssl) != 1;
    }
    /// Without SSL_shutdown: no close_notify.
    ~Peer()
    {
        SSL_free(m_ssl);
        ::close(fd);
    }
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    bool Failed() const { return m_handshakeFailed; }
    bool HasBuffered() const { return m_ssl && SSL_pending(m_ssl) > 0; }
    long Receive(char* buffer, int size)
    {
        return m_ssl ? SSL_read(m_ssl, buffer, size) : ::recv(fd, buffer, size, MSG_DONTWAIT);
    }
    bool Send(const std::string& bytes)
    {
        if (!m_ssl)
            return ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) >= 0;
        return bytes.empty() || SSL_write(m_ssl, bytes.data(), static_cast<int>(bytes.size())) > 0;
    }

    const int fd;

private:
    SSL* m_ssl = nullptr;
    bool m_handshakeFailed = false;
};

LoopbackServer::LoopbackServer(std::vector<Script> scripts, Family family, Transport transport)
    : m_scripts(std::move(scripts))
    , m_family(family)
    , m_tls(transport == Transport::Tls ? ServerTls() : nullptr, SSL_CTX_free)
    , m_listener(ListenOnLoopback(m_port, family))
    , m_stop(::eventfd(0, EFD_CLOEXEC))
    , m_thread([this]() { Serve(); })
{
}

LoopbackServer::~LoopbackServer()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] auto written = ::write(m_stop, &one, sizeof one);
    m_thread.join();
    ::close(m_listener);
    ::close(m_stop);
}

std::string LoopbackServer::Url(const std::string& path) const
{
    return std::string(m_tls ? "https" : "http") + (m_family == Family::IPv4 ? "://127.0.0.1:" : "://[::1]:")
        + std::to_string(m_port) + path;
}

std::vector<std::string> LoopbackServer::Requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

int LoopbackServer::RefusedPort()
{
    int port = 0;
    const int fd = ListenOnLoopback(port);
    ::close(fd);
    return port;
}

bool LoopbackServer::HasIpv6Loopback()
{
    try {
        int port = 0;
        ::close(ListenOnLoopback(port, Family::IPv6));
        return true;
    } catch (const std::runtime_error&) {
        return false;
    }
}

bool LoopbackServer::WaitForStopOr(int connection, std::chrono::milliseconds limit)
{
    pollfd fds[] = { { m_stop, POLLIN, 0 }, { connection, POLLIN, 0 } };
    ::poll(fds, connection >= 0 ? 2 : 1, static_cast<int>(limit.count()));
    return fds[0].revents != 0;
}

void LoopbackServer::Serve()
{
    // A TLS write to a client that has gone raises SIGPIPE on this thread; held back, it
    // stays pending here and harms nothing.
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
    for (std::size_t served = 0;; ++served) {
        pollfd fds[] = { { m_stop, POLLIN, 0 }, { m_listener, POLLIN, 0 } };
        ::poll(fds, 2, -1);
        if (fds[0].revents)
            return;
        const int connection = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        {
            std::lock_guard lock(m_mutex);
            m_requests.emplace_back();
        }
        Peer peer(connection, m_tls.get());
        if (!m_scripts.empty() && !peer.Failed())
            Play(peer, m_scripts[std::min(served, m_scripts.size() - 1)]);
    }
}

void LoopbackServer::Play(Peer& peer, const Script& script)
{
    const int connection = peer.fd;
    std::string request;
    const bool greets = !script.empty() && script.front().kind == Step::Kind::Greet;
    while (!greets && !RequestComplete(request)) {
        if (!peer.HasBuffered() && WaitForStopOr(connection, std::chrono::seconds(5)))
            return;
        char chunk[4096];
        const long count = peer.Receive(chunk, sizeof chunk);
        if (count <= 0)
            break;
        request.append(chunk, static_cast<std::size_t>(count));
        std::lock_guard lock(m_mutex);
        m_requests.back() = request;
    }
    for (const Step& step : script) {
        switch (step.kind) {
        case Step::Kind::Send:
        case Step::Kind::Greet:
            if (!peer.Send(step.bytes))
                return;
            break;
        case Step::Kind::Pause:
            if (WaitForStopOr(-1, step.pause))
                return;
            break;
        case Step::Kind::Close:
            return;
        case Step::Kind::Stall:
            // Until the client hangs up or the server stops.
            while (!WaitForStopOr(connection, std::chrono::hours(1))) {
                char chunk[256];
                if (::recv(connection, chunk, sizeof chunk, MSG_DONTWAIT) == 0)
                    return;
            }
            return;
        }
    }
}
