#pragma once

#include "net/HostResolver.h"
#include "net/SendBuffer.h"
#include "net/TlsContext.h"
#include "net/TlsSession.h"
#include "platform/MessageQueue.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

/// An event-driven TCP client socket, optionally speaking TLS. Every operation returns at
/// once; results arrive as events on the thread of the message queue the socket was made
/// with, in the order lookup, connect, data, close. The owner (the HTTP client) installs
/// the handlers. A handler may close the socket; the socket never touches a closed
/// connection afterwards.
class TWSocket {
public:
    enum class TSocketState {
        wsInvalidState,
        wsOpened,
        wsBound,
        wsConnecting,
        wsConnected,
        wsAccepting,
        wsListening,
        wsClosed
    };
    /// `error` is 0 on success or a socket error code.
    using Event = std::function<void(TWSocket& sender, int error)>;

    TWSocket(MessageQueue& queue, HostResolver& resolver);
    ~TWSocket();
    TWSocket(const TWSocket&) = delete;
    TWSocket& operator=(const TWSocket&) = delete;

    /// A numeric address completes at once, inside the call. Raises ESocketException for
    /// an empty host or a lookup that cannot start.
    void DnsLookup(const std::string& host);
    void CancelDnsLookup();
    bool DnsLookupPending() const { return m_lookup != 0; }
    /// The first address found; empty before a lookup succeeded.
    std::string DnsResult() const { return m_dnsResults.empty() ? std::string() : m_dnsResults.front(); }
    /// Every address found, in the order they are to be tried.
    const std::vector<std::string>& DnsResults() const { return m_dnsResults; }

    void SetAddr(std::string address) { m_addr = std::move(address); }
    /// A number or a service name.
    void SetPort(std::string port) { m_port = std::move(port); }
    void SetProto(std::string protocol) { m_proto = std::move(protocol); }
    /// For the next connection: TLS with `serverName` for SNI and the certificate check,
    /// or plain TCP when `context` is null.
    void SetTls(std::shared_ptr<TlsContext> context, std::string serverName);

    /// Starts a non-blocking connect; raises ESocketException when it cannot start.
    /// `OnSessionConnected` follows; on a non-zero error the socket is already closed and
    /// no `OnSessionClosed` follows, as no session was opened.
    void Connect();
    /// Queues the bytes and sends what the system takes now. -1 (last error 10057) when
    /// not connected.
    int Send(const void* data, std::size_t size);
    /// The count read; 0 at the end of the stream; -1 with `LastError` set (10035 when
    /// nothing is waiting).
    int Receive(void* buffer, std::size_t size);
    /// Closes the connection; `OnSessionClosed`(0) fires, inside the call, when a session
    /// was open.
    void Close();

    TSocketState State() const { return m_state; }
    int LastError() const { return m_lastError; }
    /// Why the last TLS handshake or certificate failed.
    const std::string& TlsFailure() const { return m_tlsFailure; }

    Event OnDnsLookupDone;
    Event OnSessionConnected;
    Event OnDataAvailable;
    Event OnDataSent;
    Event OnSessionClosed;

private:
    void Ready(short revents);
    void FinishConnect();
    void ContinueHandshake();
    void ReadAvailable();
    void TryToSend();
    void CloseWith(int error, bool notify);
    void Watch(short events);
    int Fail(int code);

    MessageQueue& m_queue;
    HostResolver& m_resolver;
    HostResolver::Ticket m_lookup = 0;
    std::vector<std::string> m_dnsResults;
    std::string m_addr;
    std::string m_port;
    std::string m_proto = "tcp";
    std::shared_ptr<TlsContext> m_tlsContext;
    std::string m_serverName;
    std::unique_ptr<TlsSession> m_tls;
    std::string m_tlsFailure;

    int m_fd = -1;
    MessageQueue::Id m_watcher = 0;
    TSocketState m_state = TSocketState::wsClosed;
    int m_lastError = 0;
    SendBuffer m_sendBuffer;
    bool m_sendDeferred = false;
    bool m_readWantsWrite = false;
    bool m_endOfStream = false;
    int m_readError = 0;
    /// Changes with every connection, so a notification posted for an older one is dropped.
    std::uint64_t m_connection = 0;
    std::shared_ptr<TWSocket*> m_self;
};
