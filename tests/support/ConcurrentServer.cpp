#include "support/ConcurrentServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

void ConcurrentServer::OpenCount::Opened()
{
    const int open = ++now;
    int seen = most.load();
    while (open > seen && !most.compare_exchange_weak(seen, open)) { }
}

ConcurrentServer::Reply ConcurrentServer::Ok(std::chrono::milliseconds delay)
{
    return { delay, "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n", false };
}

ConcurrentServer::ConcurrentServer(Replies replies, const std::string& address, OpenCount* shared)
    : m_replies(std::move(replies))
    , m_address(address)
    , m_shared(shared)
{
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in where {};
    where.sin_family = AF_INET;
    int yes = 1;
    ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    socklen_t size = sizeof where;
    if (::inet_pton(AF_INET, address.c_str(), &where.sin_addr) != 1
        || ::bind(m_listener, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0
        || ::listen(m_listener, 128) != 0
        || ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&where), &size) != 0
        || ::pipe2(m_stop, O_CLOEXEC) != 0) {
        ::close(m_listener);
        throw std::runtime_error("cannot listen on " + address);
    }
    m_port = ntohs(where.sin_port);
    m_thread = std::thread([this]() { Serve(); });
}

ConcurrentServer::~ConcurrentServer()
{
    ::close(m_stop[1]);
    m_thread.join();
    for (std::thread& answer : m_answers)
        answer.join();
    ::close(m_stop[0]);
    ::close(m_listener);
}

std::string ConcurrentServer::Url(const std::string& path) const
{
    return "http://" + m_address + ":" + std::to_string(m_port) + path;
}

std::vector<std::string> ConcurrentServer::Paths() const
{
    std::lock_guard lock(m_mutex);
    return m_paths;
}

void ConcurrentServer::Closed()
{
    m_open.Closed();
    if (m_shared)
        m_shared->Closed();
}

bool ConcurrentServer::WaitUnlessStopped(std::chrono::milliseconds limit) const
{
    pollfd stop { m_stop[0], POLLIN, 0 };
    return ::poll(&stop, 1, static_cast<int>(limit.count())) == 0;
}

void ConcurrentServer::Serve()
{
    for (;;) {
        pollfd fds[] = { { m_stop[0], POLLIN, 0 }, { m_listener, POLLIN, 0 } };
        ::poll(fds, 2, -1);
        if (fds[0].revents != 0)
            return;
        const int connection = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0)
            continue;
        m_open.Opened();
        if (m_shared)
            m_shared->Opened();
        m_answers.emplace_back([this, connection]() { Answer(connection); });
    }
}

void ConcurrentServer::Answer(int connection)
{
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        pollfd fds[] = { { m_stop[0], POLLIN, 0 }, { connection, POLLIN, 0 } };
        if (::poll(fds, 2, 5000) <= 0 || fds[0].revents != 0)
            break;
        const ssize_t count = ::recv(connection, buffer, sizeof buffer, 0);
        if (count <= 0)
            break;
        request.append(buffer, std::size_t(count));
    }
    const std::size_t pathStart = request.find(' ') + 1;
    const std::string method = request.substr(0, pathStart - 1);
    const std::string path = request.substr(pathStart, request.find(' ', pathStart) - pathStart);
    {
        std::lock_guard lock(m_mutex);
        m_paths.push_back(path);
    }
    const Reply reply = m_replies(method, path);
    if (reply.reset) {
        const linger abort { 1, 0 };
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    } else if (reply.stall) {
        // Held open until the client closes its end or the server stops.
        pollfd fds[] = { { m_stop[0], POLLIN, 0 }, { connection, POLLIN, 0 } };
        while (::poll(fds, 2, -1) > 0 && fds[0].revents == 0
            && ::recv(connection, buffer, sizeof buffer, 0) > 0) { }
    } else if (WaitUnlessStopped(reply.delay)) {
        // Counted as closed before the client can read the answer and ask again.
        Closed();
        ::send(connection, reply.response.data(), reply.response.size(), MSG_NOSIGNAL);
        ::close(connection);
        return;
    }
    Closed();
    ::close(connection);
}
