#include "support/LoopbackServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int ListenOnLoopback(int& port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(fd, 16) != 0)
        throw std::runtime_error("LoopbackServer: cannot listen on 127.0.0.1");
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
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

LoopbackServer::LoopbackServer(std::vector<Script> scripts)
    : m_scripts(std::move(scripts))
    , m_listener(ListenOnLoopback(m_port))
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
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
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

bool LoopbackServer::WaitForStopOr(int connection, std::chrono::milliseconds limit)
{
    pollfd fds[] = { { m_stop, POLLIN, 0 }, { connection, POLLIN, 0 } };
    ::poll(fds, connection >= 0 ? 2 : 1, static_cast<int>(limit.count()));
    return fds[0].revents != 0;
}

void LoopbackServer::Serve()
{
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
        if (!m_scripts.empty())
            Play(connection, m_scripts[std::min(served, m_scripts.size() - 1)]);
        ::close(connection);
    }
}

void LoopbackServer::Play(int connection, const Script& script)
{
    std::string request;
    const bool greets = !script.empty() && script.front().kind == Step::Kind::Greet;
    while (!greets && !RequestComplete(request)) {
        if (WaitForStopOr(connection, std::chrono::seconds(5)))
            return;
        char chunk[4096];
        const ssize_t count = ::recv(connection, chunk, sizeof chunk, MSG_DONTWAIT);
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
            if (::send(connection, step.bytes.data(), step.bytes.size(), MSG_NOSIGNAL) < 0)
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
