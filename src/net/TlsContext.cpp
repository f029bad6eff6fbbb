#include "net/TlsContext.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <stdexcept>

namespace {

SSL_CTX* NewClientContext()
{
    SSL_CTX* ctx = SSL_CTX_new(TLS_client_method());
    if (!ctx)
        throw std::runtime_error("TLS: cannot create a context");
    SSL_CTX_set_min_proto_version(ctx, TLS1_2_VERSION);
    SSL_CTX_set_verify(ctx, SSL_VERIFY_PEER, nullptr);
    SSL_CTX_set_mode(ctx, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    return ctx;
}

}

std::shared_ptr<TlsContext> TlsContext::SystemTrust()
{
    SSL_CTX* ctx = NewClientContext();
    SSL_CTX_set_default_verify_paths(ctx);
    return std::shared_ptr<TlsContext>(new TlsContext(ctx));
}

std::shared_ptr<TlsContext> TlsContext::TrustingOnly(const std::string& pemFile)
{
    SSL_CTX* ctx = NewClientContext();
    if (SSL_CTX_load_verify_locations(ctx, pemFile.c_str(), nullptr) != 1) {
        SSL_CTX_free(ctx);
        ERR_clear_error();
        throw std::runtime_error("TLS: cannot load trust anchors from " + pemFile);
    }
    return std::shared_ptr<TlsContext>(new TlsContext(ctx));
}

TlsContext::~TlsContext()
{
    SSL_CTX_free(m_ctx);
}
