#include "net/TestClient.h"
#include "support/LoopbackServer.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using Server = LoopbackServer;
using Family = LoopbackServer::Family;

namespace {

/// A server listening on one family, reached through the name or literal of `host`.
struct ReachCase {
    const char* what;
    Family family;
    Names names;
    /// The host part of the address; empty for the server's own literal.
    std::string host;
    std::string hostHeader;
};

const ReachCase ReachCases[] = {
    { "a bracketed IPv6 literal", Family::IPv6, {}, "", "[::1]" },
    { "a name with only an IPv6 address", Family::IPv6, { { "v6.test", "::1" } }, "v6.test", "v6.test" },
    { "a name whose IPv6 address refuses", Family::IPv4, { { "dual.test", "::1 127.0.0.1" } }, "dual.test",
        "dual.test" },
    { "a name whose IPv4 address refuses", Family::IPv6, { { "dual.test", "127.0.0.1 ::1" } }, "dual.test",
        "dual.test" },
};

std::string Address(const std::string& host, int port)
{
    return "http://" + host + ":" + std::to_string(port) + "/page.html";
}

}

TEST(THttpCli, EachAddressFamilyIsReachedAndARefusingAddressGivesWayToTheNext)
{
    if (!Server::HasIpv6Loopback())
        GTEST_SKIP() << "no IPv6 loopback on this machine";
    for (const ReachCase& c : ReachCases) {
        SCOPED_TRACE(c.what);
        Server server({ Server::Answer("HTTP/1.0 200 OK\r\n\r\n") }, c.family);
        TestClient client(c.names);
        client.http.URL = c.host.empty() ? server.Url("/page.html") : Address(c.host, server.Port());

        EXPECT_EQ(client.Head(), 0);
        EXPECT_EQ(client.http.StatusCode(), 200);
        ASSERT_EQ(server.Requests().size(), 1u);
        EXPECT_NE(server.Requests()[0].find("\r\nHost: " + c.hostHeader + "\r\n"), std::string::npos);
    }
}

TEST(THttpCli, WhenEveryAddressRefusesTheLastFailureEndsTheRequest)
{
    TestClient client(Names { { "dead.test", "::1 127.0.0.1" } });
    client.http.URL = Address("dead.test", Server::RefusedPort());

    EXPECT_EQ(client.Head(), 404);
    EXPECT_EQ(client.http.ReasonPhrase(), "Connection refused (Error #10061)");
}

TEST(THttpCli, ARelocationToAnIpv6LiteralKeepsItsBrackets)
{
    if (!Server::HasIpv6Loopback())
        GTEST_SKIP() << "no IPv6 loopback on this machine";
    Server target({ Server::Answer("HTTP/1.0 200 OK\r\n\r\n") }, Family::IPv6);
    Server first({ Server::Answer("HTTP/1.0 302 Found\r\nLocation: " + target.Url("/x") + "\r\n\r\n") });
    TestClient client;
    client.http.URL = first.Url("/a");

    EXPECT_EQ(client.Head(), 0);
    EXPECT_EQ(client.http.Location(), target.Url("/x"));
    ASSERT_EQ(target.Requests().size(), 1u);
    EXPECT_NE(target.Requests()[0].find("\r\nHost: [::1]\r\n"), std::string::npos);
}

namespace {

/// A listener on [::1]:port whose one-place queue is taken, so a connect to it is never
/// answered, as with a host whose packets are dropped.
class UnansweredIpv6Port {
public:
    explicit UnansweredIpv6Port(int port)
        : m_listener(::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0))
        , m_filler(::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_in6 address {};
        address.sin6_family = AF_INET6;
        address.sin6_addr = in6addr_loopback;
        address.sin6_port = htons(static_cast<uint16_t>(port));
        const auto* raw = reinterpret_cast<const sockaddr*>(&address);
        bound = ::bind(m_listener, raw, sizeof address) == 0 && ::listen(m_listener, 0) == 0
            && ::connect(m_filler, raw, sizeof address) == 0;
    }
    ~UnansweredIpv6Port()
    {
        ::close(m_filler);
        ::close(m_listener);
    }
    UnansweredIpv6Port(const UnansweredIpv6Port&) = delete;
    UnansweredIpv6Port& operator=(const UnansweredIpv6Port&) = delete;

    bool bound = false;

private:
    int m_listener;
    int m_filler;
};

}

TEST(THttpCli, AnAddressThatNeverAnswersLeavesTheNextItsShareOfTheTimeLimit)
{
    if (!Server::HasIpv6Loopback())
        GTEST_SKIP() << "no IPv6 loopback on this machine";
    Server server({ Server::Answer("HTTP/1.0 200 OK\r\n\r\n") });
    UnansweredIpv6Port unanswered(server.Port());
    if (!unanswered.bound)
        GTEST_SKIP() << "the port is taken on [::1]";
    TestClient client(Names { { "slow.test", "::1 127.0.0.1" } });
    client.http.URL = Address("slow.test", server.Port());
    client.http.Timeout = 2;

    EXPECT_EQ(client.Head(), 0);
    EXPECT_EQ(server.Requests().size(), 1u);
}
