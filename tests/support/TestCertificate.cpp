#include "support/TestCertificate.h"

#include <cstdlib>

namespace TestCertificate {

std::string FixturesFolder()
{
    const char* folder = std::getenv("TARVIK_FIXTURES");
    return folder ? folder : TARVIK_FIXTURES_DEFAULT;
}

std::string TrustAnchorFile()
{
    return FixturesFolder() + "/tls/ca.pem";
}
std::string ServerCertificateFile()
{
    return FixturesFolder() + "/tls/server.pem";
}
std::string ServerKeyFile()
{
    return FixturesFolder() + "/tls/server.key";
}

}
