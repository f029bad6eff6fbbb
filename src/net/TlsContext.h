#pragma once

#include <memory>
#include <string>

struct ssl_ctx_st;

/// The client side TLS settings shared by every connection of a client: TLS 1.2 or
/// later, peers verified against a set of trust anchors (the system's store, or one PEM
/// file for tests and private servers).
class TlsContext {
public:
    static std::shared_ptr<TlsContext> SystemTrust();
    /// Throws std::runtime_error when the file holds no usable certificate.
    static std::shared_ptr<TlsContext> TrustingOnly(const std::string& pemFile);

    ~TlsContext();
    TlsContext(const TlsContext&) = delete;
    TlsContext& operator=(const TlsContext&) = delete;

    ssl_ctx_st* Native() const { return m_ctx; }

private:
    explicit TlsContext(ssl_ctx_st* ctx)
        : m_ctx(ctx)
    {
    }
    ssl_ctx_st* m_ctx;
};
