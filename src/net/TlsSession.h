#pragma once

#include "net/TlsContext.h"

#include <cstddef>
#include <memory>
#include <string>

struct ssl_st;

/// The TLS layer of one connected, non-blocking socket: handshake with the server name
/// sent for SNI and checked against the certificate, then reads and writes. Each call
/// returns at once; `Want` tells which readiness to wait for before calling again.
class TlsSession {
public:
    enum class Want { Nothing, Read, Write };
    struct Io {
        /// Bytes moved; 0 with `Want::Nothing` and no failure is the end of the stream,
        /// with or without the peer's close alert.
        std::ptrdiff_t count = 0;
        Want want = Want::Nothing;
        /// Set when the session failed; holds the reason.
        std::string failure;
    };

    TlsSession(std::shared_ptr<TlsContext> context, int fd, const std::string& serverName);
    ~TlsSession();
    TlsSession(const TlsSession&) = delete;
    TlsSession& operator=(const TlsSession&) = delete;

    /// `count` is 1 once the handshake is complete.
    Io Handshake();
    Io Read(void* buffer, std::size_t size);
    Io Write(const void* data, std::size_t size);
    /// Bytes already decrypted and waiting to be read.
    std::size_t Pending() const;

private:
    Io Result(int rc);

    std::shared_ptr<TlsContext> m_context;
    ssl_st* m_ssl;
};
