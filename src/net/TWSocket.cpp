#include "net/TWSocket.h"

#include "net/ESocketException.h"
#include "net/WSocketError.h"

#include <arpa/inet.h>
#include <cerrno>
#include <charconv>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <system_error>
#include <unistd.h>

namespace {

bool ParseAddress(const std::string& text, sockaddr_storage& address, socklen_t& length)
{
    auto* v4 = reinterpret_cast<sockaddr_in*>(&address);
    if (::inet_pton(AF_INET, text.c_str(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        length = sizeof(sockaddr_in);
        return true;
    }
    auto* v6 = reinterpret_cast<sockaddr_in6*>(&address);
    if (::inet_pton(AF_INET6, text.c_str(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        length = sizeof(sockaddr_in6);
        return true;
    }
    return false;
}

bool IsNumericAddress(const std::string& host)
{
    sockaddr_storage address {};
    socklen_t length = 0;
    return ParseAddress(host, address, length);
}

int PortNumber(const std::string& port, const std::string& protocol)
{
    int number = 0;
    auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
    if (error == std::errc() && end == port.data() + port.size())
        return number > 0 && number <= 65535 ? number : -1;
    servent* service = ::getservbyname(port.c_str(), protocol.c_str());
    return service ? ntohs(static_cast<uint16_t>(service->s_port)) : -1;
}

std::string ErrorMessage(int code, const char* function)
{
    return "Error " + std::to_string(code) + " in function " + function + "\r\n" + WSocketErrorDesc(code);
}

}

TWSocket::TWSocket(MessageQueue& queue, HostResolver& resolver)
    : m_queue(queue)
    , m_resolver(resolver)
    , m_self(std::make_shared<TWSocket*>(this))
{
}

TWSocket::~TWSocket()
{
    CancelDnsLookup();
    CloseWith(0, false);
}

void TWSocket::DnsLookup(const std::string& host)
{
    if (host.empty()) {
        m_lastError = WSocketError::InvalidArgument;
        throw ESocketException("DNS lookup: invalid host name.", m_lastError);
    }
    CancelDnsLookup();
    m_dnsResults.clear();
    if (IsNumericAddress(host)) {
        m_dnsResults = { host };
        if (OnDnsLookupDone)
            OnDnsLookupDone(*this, 0);
        return;
    }
    try {
        m_lookup = m_resolver.Start(host, [this](int error, const std::vector<std::string>& addresses) {
            m_lookup = 0;
            m_lastError = error;
            if (error == 0)
                m_dnsResults = addresses;
            if (OnDnsLookupDone)
                OnDnsLookupDone(*this, error);
        });
    } catch (const std::system_error& e) {
        m_lastError = WSocketError::FromErrno(e.code().value());
        throw ESocketException(
            host + ": can't start DNS lookup, error #" + std::to_string(m_lastError), m_lastError);
    }
}

void TWSocket::CancelDnsLookup()
{
    if (m_lookup == 0)
        return;
    m_resolver.Cancel(m_lookup);
    m_lookup = 0;
}

void TWSocket::SetTls(std::shared_ptr<TlsContext> context, std::string serverName)
{
    m_tlsContext = std::move(context);
    m_serverName = std::move(serverName);
}

int TWSocket::Fail(int code)
{
    m_lastError = code;
    return code;
}

void TWSocket::Connect()
{
    if (m_fd >= 0)
        throw ESocketException("Connect: Socket already in use", Fail(WSocketError::InvalidArgument));
    if (m_port.empty())
        throw ESocketException("Connect: No Port Specified", Fail(WSocketError::InvalidArgument));
    if (m_addr.empty())
        throw ESocketException("Connect: No IP Address Specified", Fail(WSocketError::InvalidArgument));
    if (m_proto.empty())
        throw ESocketException("Connect: No Protocol Specified", Fail(WSocketError::InvalidArgument));

    sockaddr_storage address {};
    socklen_t length = 0;
    if (!ParseAddress(m_addr, address, length))
        throw ESocketException("Connect: invalid address " + m_addr, Fail(WSocketError::InvalidArgument));
    const int port = PortNumber(m_port, m_proto);
    if (port < 0)
        throw ESocketException(
            "Connect: can't resolve port '" + m_port + "'", Fail(WSocketError::InvalidArgument));
    if (address.ss_family == AF_INET)
        reinterpret_cast<sockaddr_in*>(&address)->sin_port = htons(static_cast<uint16_t>(port));
    else
        reinterpret_cast<sockaddr_in6*>(&address)->sin6_port = htons(static_cast<uint16_t>(port));

    const int fd = ::socket(address.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw ESocketException(ErrorMessage(Fail(WSocketError::FromErrno(errno)), "socket"), m_lastError);
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), length) < 0 && errno != EINPROGRESS) {
        Fail(WSocketError::FromErrno(errno));
        ::close(fd);
        throw ESocketException(ErrorMessage(m_lastError, "connect"), m_lastError);
    }
    m_fd = fd;
    ++m_connection;
    m_state = TSocketState::wsConnecting;
    m_lastError = 0;
    m_tls.reset();
    m_tlsFailure.clear();
    m_sendBuffer.Clear();
    m_sendDeferred = false;
    m_readWantsWrite = false;
    m_watcher = m_queue.Watch(fd, POLLOUT, [this](short revents) { Ready(revents); });
}

void TWSocket::Watch(short events)
{
    m_queue.SetEvents(m_watcher, events);
}

void TWSocket::Ready(short revents)
{
    if (m_state == TSocketState::wsConnecting) {
        if (m_tls)
            ContinueHandshake();
        else
            FinishConnect();
        return;
    }
    if (m_state != TSocketState::wsConnected)
        return;
    const auto connection = m_connection;
    if (revents & POLLOUT) {
        if (m_readWantsWrite) {
            m_readWantsWrite = false;
            Watch(m_sendDeferred ? POLLIN | POLLOUT : POLLIN);
            ReadAvailable();
        } else if (m_sendDeferred) {
            TryToSend();
            if (connection == m_connection && m_state == TSocketState::wsConnected && m_sendBuffer.Empty()
                && OnDataSent)
                OnDataSent(*this, 0);
        }
    }
    if (connection != m_connection || m_state != TSocketState::wsConnected)
        return;
    if (revents & (POLLIN | POLLHUP | POLLERR))
        ReadAvailable();
}

void TWSocket::FinishConnect()
{
    int error = 0;
    socklen_t length = sizeof error;
    ::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &length);
    if (error != 0) {
        const int code = Fail(WSocketError::FromErrno(error));
        CloseWith(code, false);
        if (OnSessionConnected)
            OnSessionConnected(*this, code);
        return;
    }
    if (m_tlsContext) {
        m_tls = std::make_unique<TlsSession>(m_tlsContext, m_fd, m_serverName);
        ContinueHandshake();
        return;
    }
    m_state = TSocketState::wsConnected;
    Watch(m_sendDeferred ? POLLIN | POLLOUT : POLLIN);
    if (OnSessionConnected)
        OnSessionConnected(*this, 0);
}

void TWSocket::ContinueHandshake()
{
    const TlsSession::Io io = m_tls->Handshake();
    if (io.count == 1) {
        m_state = TSocketState::wsConnected;
        Watch(POLLIN);
        if (OnSessionConnected)
            OnSessionConnected(*this, 0);
        return;
    }
    if (io.want != TlsSession::Want::Nothing) {
        Watch(io.want == TlsSession::Want::Read ? POLLIN : POLLOUT);
        return;
    }
    m_tlsFailure = io.failure;
    const int code = Fail(WSocketError::TlsFailed);
    CloseWith(code, false);
    if (OnSessionConnected)
        OnSessionConnected(*this, code);
}

void TWSocket::ReadAvailable()
{
    const auto connection = m_connection;
    do {
        m_endOfStream = false;
        m_readError = 0;
        if (OnDataAvailable) {
            OnDataAvailable(*this, 0);
        } else {
            char discard[1024];
            Receive(discard, sizeof discard);
        }
        if (connection != m_connection || m_state != TSocketState::wsConnected)
            return;
        if (m_endOfStream || m_readError != 0) {
            CloseWith(m_readError, true);
            return;
        }
    } while (m_tls && m_tls->Pending() > 0);
}

int TWSocket::Send(const void* data, std::size_t size)
{
    if (m_state != TSocketState::wsConnected) {
        m_lastError = WSocketError::NotConnected;
        return -1;
    }
    m_sendBuffer.Append({ static_cast<const char*>(data), size });
    if (m_sendDeferred)
        return static_cast<int>(size);
    TryToSend();
    if (m_state == TSocketState::wsConnected && m_sendBuffer.Empty()) {
        // Sent at once: the event still comes from the queue, after the caller returns.
        m_queue.Post([self = std::weak_ptr<TWSocket*>(m_self), connection = m_connection]() {
            auto live = self.lock();
            if (!live)
                return;
            TWSocket& socket = **live;
            if (socket.m_connection == connection && socket.m_state == TSocketState::wsConnected
                && socket.m_sendBuffer.Empty() && socket.OnDataSent)
                socket.OnDataSent(socket, 0);
        });
    }
    return static_cast<int>(size);
}

void TWSocket::TryToSend()
{
    while (!m_sendBuffer.Empty()) {
        const std::string_view front = m_sendBuffer.Front();
        std::ptrdiff_t sent = 0;
        int error = 0;
        bool wouldBlock = false;
        if (m_tls) {
            const TlsSession::Io io = m_tls->Write(front.data(), front.size());
            sent = io.count;
            wouldBlock = io.want != TlsSession::Want::Nothing;
            if (sent <= 0 && !wouldBlock)
                error = WSocketError::ConnectionReset;
        } else {
            sent = ::send(m_fd, front.data(), front.size(), MSG_NOSIGNAL);
            if (sent < 0) {
                wouldBlock = errno == EAGAIN || errno == EWOULDBLOCK;
                error = WSocketError::FromErrno(errno);
            }
        }
        if (wouldBlock) {
            m_sendDeferred = true;
            Watch(POLLIN | POLLOUT);
            return;
        }
        if (sent <= 0) {
            CloseWith(Fail(error), true);
            return;
        }
        m_sendBuffer.Consume(static_cast<std::size_t>(sent));
    }
    m_sendDeferred = false;
    Watch(m_readWantsWrite ? POLLIN | POLLOUT : POLLIN);
}

int TWSocket::Receive(void* buffer, std::size_t size)
{
    if (m_fd < 0 || m_state != TSocketState::wsConnected) {
        m_lastError = WSocketError::NotConnected;
        return -1;
    }
    if (size == 0)
        return 0;
    if (m_tls) {
        const TlsSession::Io io = m_tls->Read(buffer, size);
        if (io.count > 0)
            return static_cast<int>(io.count);
        if (io.want == TlsSession::Want::Write) {
            m_readWantsWrite = true;
            Watch(POLLIN | POLLOUT);
        }
        if (io.want != TlsSession::Want::Nothing) {
            m_lastError = WSocketError::WouldBlock;
            return -1;
        }
        if (io.failure.empty()) {
            m_endOfStream = true;
            return 0;
        }
        m_tlsFailure = io.failure;
        m_readError = Fail(WSocketError::TlsFailed);
        return -1;
    }
    const ssize_t count = ::recv(m_fd, buffer, size, 0);
    if (count > 0)
        return static_cast<int>(count);
    if (count == 0) {
        m_endOfStream = true;
        return 0;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
        m_lastError = WSocketError::WouldBlock;
        return -1;
    }
    m_readError = Fail(WSocketError::FromErrno(errno));
    return -1;
}

void TWSocket::Close()
{
    CloseWith(0, true);
}

void TWSocket::CloseWith(int error, bool notify)
{
    if (m_fd < 0)
        return;
    const bool sessionWasOpen = m_state == TSocketState::wsConnected;
    m_queue.Unwatch(m_watcher);
    m_watcher = 0;
    m_tls.reset();
    ::close(m_fd);
    m_fd = -1;
    m_state = TSocketState::wsClosed;
    m_sendBuffer.Clear();
    m_sendDeferred = false;
    m_readWantsWrite = false;
    if (notify && sessionWasOpen && OnSessionClosed)
        OnSessionClosed(*this, error);
}
