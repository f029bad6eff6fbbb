#pragma once

#include "support/TempSite.h"

#include <string>
#include <vector>
#include <sys/types.h>

/// Debian's nginx serving a folder on 127.0.0.1, started by a test with a generated
/// configuration in a temporary folder (its own pid file, logs and temp paths; not a
/// system service) and stopped when the object goes. Plain HTTP on `Port`; HTTPS with
/// the test certificate of tests/fixtures/tls on `TlsPort`. Throws std::runtime_error,
/// with the reason, when nginx is missing or does not come up.
class NginxServer {
public:
    /// `serverDirectives` go into the server block (locations, redirects); "{port}" and
    /// "{tls_port}" in them stand for the two ports.
    explicit NginxServer(const std::string& root, const std::string& serverDirectives = "");
    ~NginxServer();
    NginxServer(const NginxServer&) = delete;
    NginxServer& operator=(const NginxServer&) = delete;

    int Port() const { return m_port; }
    int TlsPort() const { return m_tlsPort; }
    std::string Url(const std::string& path = "/") const;

    /// "GET /a.html" for each request an access log (nginx's default format) holds.
    static std::vector<std::string> RequestsIn(const std::string& accessLog);
    std::string TlsUrl(const std::string& path = "/") const;

private:
    TempSite m_prefix;
    int m_port = 0;
    int m_tlsPort = 0;
    pid_t m_pid = -1;
};
