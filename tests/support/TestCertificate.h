#pragma once

#include <string>

/// The committed test trust anchor and the server certificate it signed (localhost and
/// 127.0.0.1), under tests/fixtures/tls.
namespace TestCertificate {
std::string FixturesFolder();
std::string TrustAnchorFile();
std::string ServerCertificateFile();
std::string ServerKeyFile();
}
