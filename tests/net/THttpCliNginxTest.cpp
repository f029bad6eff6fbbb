#include "net/THttpCli.h"

#include "net/EHttpException.h"
#include "net/FakeResolver.h"
#include "support/LoopbackServer.h"
#include "support/NginxServer.h"
#include "support/TempSite.h"
#include "support/TestCertificate.h"

#include <gtest/gtest.h>
#include <memory>
#include <sstream>

namespace {

const std::string IndexPage = "<html><head><title>Home</title></head><body>home</body></html>\n";

/// One nginx for the whole suite: starting it takes longer than all the requests.
class NginxSite : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_site = std::make_unique<TempSite>(
            TempSite::Files { { "index.html", IndexPage }, { "docs/guide.txt", "guide" } });
        s_nginx = std::make_unique<NginxServer>(s_site->Root(),
            "    location = /old.html { return 301 /index.html; }\n"
            "    location = /to-tls.html { return 302 https://"
            "localhost:{tls_port}/index.html; }\n");
    }
    static void TearDownTestSuite()
    {
        s_nginx.reset();
        s_site.reset();
    }

    NginxSite()
        : resolver(queue, { { "localhost", "127.0.0.1" }, { "wrong.test", "127.0.0.1" } })
        , http(queue)
    {
        http.SetResolver(resolver);
        http.RcvdStream = &body;
    }

    /// The error code raised, or 0.
    int Run(void (THttpCli::*request)(), const std::string& url)
    {
        http.URL = url;
        body.str({});
        try {
            (http.*request)();
            return 0;
        } catch (const EHttpException& e) {
            return e.ErrorCode();
        }
    }

    static std::unique_ptr<TempSite> s_site;
    static std::unique_ptr<NginxServer> s_nginx;
    MessageQueue queue;
    FakeResolver resolver;
    THttpCli http;
    std::ostringstream body;
};

std::unique_ptr<TempSite> NginxSite::s_site;
std::unique_ptr<NginxServer> NginxSite::s_nginx;

}

TEST_F(NginxSite, HeadAndGetOfAnExistingPage)
{
    EXPECT_EQ(Run(&THttpCli::Head, s_nginx->Url("/index.html")), 0);
    EXPECT_EQ(http.StatusCode(), 200);
    EXPECT_EQ(http.ContentLength(), static_cast<long long>(IndexPage.size()));
    EXPECT_EQ(http.ContentType(), "text/html");
    EXPECT_EQ(body.str(), "");

    EXPECT_EQ(Run(&THttpCli::Get, s_nginx->Url("/docs/guide.txt")), 0);
    EXPECT_EQ(body.str(), "guide");
    EXPECT_EQ(http.ContentType(), "text/plain");
    EXPECT_EQ(http.DocName(), "guide.txt");
}

TEST_F(NginxSite, AMissingPageRaises404NotFound)
{
    EXPECT_EQ(Run(&THttpCli::Head, s_nginx->Url("/missing.html")), 404);
    EXPECT_EQ(http.ReasonPhrase(), "Not Found");
    EXPECT_EQ(Run(&THttpCli::Get, s_nginx->Url("/missing.html")), 404);
    EXPECT_EQ(http.RcvdHeader().front(), "HTTP/1.1 404 Not Found");
}

TEST_F(NginxSite, ARedirectIsFollowed)
{
    EXPECT_EQ(Run(&THttpCli::Get, s_nginx->Url("/old.html")), 0);
    EXPECT_EQ(http.StatusCode(), 200);
    EXPECT_EQ(http.Location(), s_nginx->Url("/index.html"));
    EXPECT_EQ(body.str(), IndexPage);
    EXPECT_EQ(http.RcvdHeader().front(), "HTTP/1.1 301 Moved Permanently");
}

TEST_F(NginxSite, HttpsWithTheTestTrustAnchor)
{
    http.SetTlsContext(TlsContext::TrustingOnly(TestCertificate::TrustAnchorFile()));
    EXPECT_EQ(Run(&THttpCli::Get, s_nginx->TlsUrl("/index.html")), 0);
    EXPECT_EQ(http.StatusCode(), 200);
    EXPECT_EQ(body.str(), IndexPage);

    const std::string byName = "https://localhost:" + std::to_string(s_nginx->TlsPort()) + "/missing.html";
    EXPECT_EQ(Run(&THttpCli::Head, byName), 404);
    EXPECT_EQ(http.ReasonPhrase(), "Not Found");
}

TEST_F(NginxSite, ARelocationFromHttpToHttpsSwitchesToTls)
{
    http.SetTlsContext(TlsContext::TrustingOnly(TestCertificate::TrustAnchorFile()));
    EXPECT_EQ(Run(&THttpCli::Get, s_nginx->Url("/to-tls.html")), 0);
    EXPECT_EQ(http.Location(), "https://localhost:" + std::to_string(s_nginx->TlsPort()) + "/index.html");
    EXPECT_EQ(body.str(), IndexPage);
}

TEST_F(NginxSite, AnUntrustedOrMisnamedCertificateFailsTheRequest)
{
    http.SetTlsContext(TlsContext::SystemTrust());
    EXPECT_EQ(Run(&THttpCli::Head, s_nginx->TlsUrl("/index.html")), 404);
    EXPECT_EQ(http.ReasonPhrase(),
        "TLS handshake failed: certificate not accepted: unable to get local issuer certificate");

    http.SetTlsContext(TlsContext::TrustingOnly(TestCertificate::TrustAnchorFile()));
    EXPECT_EQ(Run(&THttpCli::Head, "https://wrong.test:" + std::to_string(s_nginx->TlsPort()) + "/"), 404);
    EXPECT_EQ(http.ReasonPhrase(), "TLS handshake failed: certificate not accepted: hostname mismatch");
}

TEST(THttpCliTls, AServerThatDoesNotSpeakTlsFailsTheHandshake)
{
    LoopbackServer server(
        { { LoopbackServer::Greet("HTTP/1.0 400 Bad Request\r\n\r\n"), LoopbackServer::Close() } });
    MessageQueue queue;
    THttpCli http(queue);
    http.SetTlsContext(TlsContext::TrustingOnly(TestCertificate::TrustAnchorFile()));
    http.URL = "https://127.0.0.1:" + std::to_string(server.Port()) + "/";
    EXPECT_THROW(http.Head(), EHttpException);
    EXPECT_EQ(http.StatusCode(), 404);
    EXPECT_EQ(http.ReasonPhrase().rfind("TLS handshake failed: ", 0), 0u) << http.ReasonPhrase();
}
