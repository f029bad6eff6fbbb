#include "net/TestClient.h"
#include "net/TlsContext.h"
#include "support/LoopbackServer.h"
#include "support/TestCertificate.h"

#include <chrono>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using Server = LoopbackServer;
using Transport = LoopbackServer::Transport;

namespace {

enum class Method { Head, Get };

/// What a server sends on each connection (then it closes, or stalls), and how the
/// request ends.
struct AnswerCase {
    const char* what;
    Transport transport;
    Method method;
    std::vector<Server::Script> scripts;
    /// The code a blocking call raises, 0 for none.
    int raised;
    int statusCode;
    std::string reason;
    std::string body;
};

std::vector<Server::Script> Closing(std::string answer)
{
    return { Server::Answer(std::move(answer)) };
}
std::vector<Server::Script> Stalling(std::string answer)
{
    return { { Server::Send(std::move(answer)), Server::Stall() } };
}
std::vector<Server::Script> Relocated(std::string moved, std::string answer)
{
    return { Server::Answer(std::move(moved)), Server::Answer(std::move(answer)) };
}

const std::string LongLine = "X-Long: " + std::string(9000, 'a') + "\r\n";
const std::string Truncated = "Connection closed before the whole document arrived";
const std::string NotHttp = "Invalid status line received";

const AnswerCase AnswerCases[] = {
    { "TLS close without alert after the whole length", Transport::Tls, Method::Get,
        Closing("HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhello"), 0, 200, "OK", "hello" },
    { "TLS close without alert ends a body without length", Transport::Tls, Method::Get,
        Closing("HTTP/1.0 200 OK\r\n\r\nhello"), 0, 200, "OK", "hello" },
    { "TLS close without alert after a HEAD header", Transport::Tls, Method::Head,
        Closing("HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\n"), 0, 200, "OK", "" },
    { "TLS close without alert short of the length", Transport::Tls, Method::Get,
        Closing("HTTP/1.0 200 OK\r\nContent-Length: 9\r\n\r\nhello"), 404, 404, Truncated, "hello" },
    { "TLS close without alert inside the header", Transport::Tls, Method::Head,
        Closing("HTTP/1.0 200 OK\r\nServ"), 404, 404, "Connection closed before the end of the header", "" },
    { "close short of the length", Transport::Plain, Method::Get,
        Closing("HTTP/1.0 200 OK\r\nContent-Length: 9\r\n\r\nhello"), 404, 404, Truncated, "hello" },
    { "close short of the length of an empty body", Transport::Plain, Method::Get,
        Closing("HTTP/1.0 200 OK\r\nContent-Length: 9\r\n\r\n"), 404, 404, Truncated, "" },
    { "a not-modified answer has no body whatever its length", Transport::Plain, Method::Get,
        Closing("HTTP/1.0 304 Not Modified\r\nContent-Length: 9\r\n\r\n"), 0, 304, "Not Modified", "" },
    { "garbage and an empty line", Transport::Plain, Method::Head, Closing("garbage\r\n\r\n"), 404, 404,
        NotHttp, "" },
    { "a bare body", Transport::Plain, Method::Get, Closing("just text, no header"), 404, 404, NotHttp, "" },
    { "an empty line first", Transport::Plain, Method::Get, Closing("\r\nbody"), 404, 404, NotHttp, "" },
    { "a field before any status line", Transport::Plain, Method::Get,
        Closing("Content-Type: text/html\r\n\r\n<p>"), 404, 404, NotHttp, "" },
    { "a later version", Transport::Plain, Method::Head, Closing("HTTP/2 200 OK\r\n\r\n"), 404, 404, NotHttp,
        "" },
    { "the length of a relocation is not that of the page", Transport::Plain, Method::Get,
        Relocated(
            "HTTP/1.0 302 Found\r\nLocation: /b\r\nContent-Length: 90\r\n\r\n", "HTTP/1.0 200 OK\r\n\r\nb"),
        0, 200, "OK", "b" },
    { "garbage after a relocation", Transport::Plain, Method::Get,
        Relocated("HTTP/1.0 302 Found\r\nLocation: /b\r\n\r\n", "garbage\r\n\r\n"), 404, 404, NotHttp, "" },
    { "a HEAD answered by a page without header", Transport::Plain, Method::Head,
        Closing("<HTML>\r\n<p>page"), 0, 0, "", "" },
    { "a HEAD answered with a body", Transport::Plain, Method::Head,
        Closing("HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n" + std::string(5000, 'x')), 0, 200, "OK",
        "" },
    { "a HEAD answered and the connection held open", Transport::Plain, Method::Head,
        Stalling("HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n"), 0, 200, "OK", "" },
    { "a header line over 8 KiB after 200", Transport::Plain, Method::Head,
        Closing("HTTP/1.0 200 OK\r\n" + LongLine + "\r\n"), 4, 404, "HTTP line too long", "" },
    { "a header line over 8 KiB after 302", Transport::Plain, Method::Head,
        Closing("HTTP/1.0 302 Found\r\nLocation: /x\r\n" + LongLine + "\r\n"), 4, 404, "HTTP line too long",
        "" },
};

}

TEST(THttpCli, EachAnswerEndsTheRequestAsHttpAllows)
{
    for (const AnswerCase& c : AnswerCases) {
        SCOPED_TRACE(c.what);
        Server server(c.scripts, Server::Family::IPv4, c.transport);
        TestClient client;
        client.http.SetTlsContext(TlsContext::TrustingOnly(TestCertificate::TrustAnchorFile()));
        client.http.MaxBodySize = 1000;
        client.http.Timeout = 5;
        client.http.URL = server.Url("/page.html");
        const auto start = std::chrono::steady_clock::now();

        EXPECT_EQ(c.method == Method::Head ? client.Head() : client.Get(), c.raised);
        EXPECT_EQ(client.http.StatusCode(), c.statusCode);
        EXPECT_EQ(client.http.ReasonPhrase(), c.reason);
        EXPECT_EQ(client.body.str(), c.body);
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    }
}
