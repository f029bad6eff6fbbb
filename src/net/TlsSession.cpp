#include "net/TlsSession.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <stdexcept>

namespace {

/// OpenSSL writes to the socket with write(2), which raises SIGPIPE when the server has
/// gone. The signal is held back for this thread during the call and a SIGPIPE raised by
/// it is taken off again, so the program is neither killed nor needs a process-wide setting.
class SigpipeGuard {
public:
    SigpipeGuard()
    {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        m_wasPending = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipe, &m_saved);
    }
    ~SigpipeGuard()
    {
        sigset_t pending;
        sigpending(&pending);
        if (!m_wasPending && sigismember(&pending, SIGPIPE) == 1) {
            sigset_t pipe;
            sigemptyset(&pipe);
            sigaddset(&pipe, SIGPIPE);
            const timespec now {};
            sigtimedwait(&pipe, nullptr, &now);
        }
        pthread_sigmask(SIG_SETMASK, &m_saved, nullptr);
    }
    SigpipeGuard(const SigpipeGuard&) = delete;
    SigpipeGuard& operator=(const SigpipeGuard&) = delete;

private:
    sigset_t m_saved;
    bool m_wasPending = false;
};

bool IsIpAddress(const std::string& host)
{
    unsigned char raw[16];
    return ::inet_pton(AF_INET, host.c_str(), raw) == 1 || ::inet_pton(AF_INET6, host.c_str(), raw) == 1;
}

bool ClosedWithoutAlert()
{
#ifdef SSL_R_UNEXPECTED_EOF_WHILE_READING
    const unsigned long code = ERR_peek_error();
    return ERR_GET_LIB(code) == ERR_LIB_SSL && ERR_GET_REASON(code) == SSL_R_UNEXPECTED_EOF_WHILE_READING;
#else
    return false;
#endif
}

std::string QueuedErrorText()
{
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    if (code == 0)
        return {};
    char text[256];
    ERR_error_string_n(code, text, sizeof text);
    const char* reason = ERR_reason_error_string(code);
    return reason ? reason : text;
}

}

TlsSession::TlsSession(std::shared_ptr<TlsContext> context, int fd, const std::string& serverName)
    : m_context(std::move(context))
    , m_ssl(SSL_new(m_context->Native()))
{
    if (!m_ssl)
        throw std::runtime_error("TLS: cannot create a session");
    SSL_set_fd(m_ssl, fd);
    if (IsIpAddress(serverName)) {
        X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(m_ssl), serverName.c_str());
    } else {
        SSL_set_tlsext_host_name(m_ssl, serverName.c_str());
        SSL_set1_host(m_ssl, serverName.c_str());
    }
    SSL_set_connect_state(m_ssl);
}

TlsSession::~TlsSession()
{
    SSL_free(m_ssl);
}

TlsSession::Io TlsSession::Handshake()
{
    SigpipeGuard guard;
    ERR_clear_error();
    errno = 0;
    const int rc = SSL_do_handshake(m_ssl);
    if (rc == 1)
        return { 1, Want::Nothing, {} };
    Io io = Result(rc);
    if (io.want != Want::Nothing)
        return io;
    if (const long verify = SSL_get_verify_result(m_ssl); verify != X509_V_OK)
        io.failure = std::string("certificate not accepted: ") + X509_verify_cert_error_string(verify);
    else if (io.failure.empty())
        io.failure = "the server closed the connection";
    return io;
}

TlsSession::Io TlsSession::Read(void* buffer, std::size_t size)
{
    ERR_clear_error();
    errno = 0;
    const int rc = SSL_read(m_ssl, buffer, static_cast<int>(std::min<std::size_t>(size, INT_MAX)));
    if (rc > 0)
        return { rc, Want::Nothing, {} };
    return Result(rc);
}

TlsSession::Io TlsSession::Write(const void* data, std::size_t size)
{
    SigpipeGuard guard;
    ERR_clear_error();
    errno = 0;
    const int rc = SSL_write(m_ssl, data, static_cast<int>(std::min<std::size_t>(size, INT_MAX)));
    if (rc > 0)
        return { rc, Want::Nothing, {} };
    return Result(rc);
}

std::size_t TlsSession::Pending() const
{
    return static_cast<std::size_t>(SSL_pending(m_ssl));
}

TlsSession::Io TlsSession::Result(int rc)
{
    const int savedErrno = errno;
    switch (SSL_get_error(m_ssl, rc)) {
    case SSL_ERROR_WANT_READ:
        return { -1, Want::Read, {} };
    case SSL_ERROR_WANT_WRITE:
        return { -1, Want::Write, {} };
    case SSL_ERROR_ZERO_RETURN:
        return { 0, Want::Nothing, {} };
    case SSL_ERROR_SYSCALL: {
        std::string queued = QueuedErrorText();
        if (!queued.empty())
            return { -1, Want::Nothing, queued };
        // HTTP/1.0 servers often end the body by closing without a TLS close alert.
        if (savedErrno == 0)
            return { 0, Want::Nothing, {} };
        return { -1, Want::Nothing, std::strerror(savedErrno) };
    }
    case SSL_ERROR_SSL:
        // OpenSSL 3 reports a close without the alert here; whether the answer was whole
        // is for HTTP to judge, as with a plain connection.
        if (ClosedWithoutAlert()) {
            ERR_clear_error();
            return { 0, Want::Nothing, {} };
        }
        [[fallthrough]];
    default: {
        std::string queued = QueuedErrorText();
        return { -1, Want::Nothing, queued.empty() ? "protocol error" : queued };
    }
    }
}
