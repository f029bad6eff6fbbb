#include "net/Url.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* url;
    UrlParts expected;
};

const Case Cases[] = {
    { "", {} },
    { "http://www.example.org/dir/page.html", { "http", "", "", "www.example.org", "", "/dir/page.html" } },
    { "https://host:8443", { "https", "", "", "host", "8443", "" } },
    { "http://user:pw@host:81/p?q=1", { "http", "user", "pw", "host", "81", "/p?q=1" } },
    { "http://a@b@host/x", { "http", "a@b", "", "host", "", "/x" } },
    { "http://host?x=1", { "http", "", "", "host", "", "?x=1" } },
    { "http://[::1]:80/", { "http", "", "", "[::1]", "80", "/" } },
    { "http://[::1]/x:y", { "http", "", "", "[::1]", "", "/x:y" } },
    { "https://u:p@[fe80::1:2]:8443?q", { "https", "u", "p", "[fe80::1:2]", "8443", "?q" } },
    { "/abs/path", { "http", "", "", "", "", "/abs/path" } },
    { "//host:82/p", { "http", "", "", "host", "82", "/p" } },
    { "mailto:someone@example.org", { "mailto", "someone", "", "example.org", "", "" } },
    { "MAILTO:x@y", { "mailto", "x", "", "y", "", "" } },
    { "http:page.html", { "http", "", "", "", "", "page.html" } },
    { "HTTP:x/y", { "http", "", "", "", "", "/y" } },
    { "page.html", { "", "", "", "page.html", "", "" } },
    { "dir/page.html", { "", "", "", "dir", "", "/page.html" } },
    { "host:8080", { "", "", "", "host", "8080", "" } },
    { "user@host", { "", "user", "", "host", "", "" } },
};

}

TEST(Url, PartsOfEachFormOfAddress)
{
    for (const auto& c : Cases) {
        const UrlParts parts = ParseUrl(c.url);
        SCOPED_TRACE(c.url);
        EXPECT_EQ(parts.protocol, c.expected.protocol);
        EXPECT_EQ(parts.user, c.expected.user);
        EXPECT_EQ(parts.password, c.expected.password);
        EXPECT_EQ(parts.host, c.expected.host);
        EXPECT_EQ(parts.port, c.expected.port);
        EXPECT_EQ(parts.path, c.expected.path);
    }
}

TEST(Url, AnIpv6LiteralIsLookedUpWithoutItsBrackets)
{
    EXPECT_EQ(HostAddressOf("[::1]"), "::1");
    EXPECT_EQ(HostAddressOf("site.test"), "site.test");
    EXPECT_EQ(HostAddressOf("["), "[");
}

TEST(Url, DefaultPortsFollowTheProtocolInAnyCase)
{
    EXPECT_EQ(DefaultPortOf("https"), "443");
    EXPECT_EQ(DefaultPortOf("HTTPS"), "443");
    EXPECT_EQ(DefaultPortOf("http"), "80");
    EXPECT_EQ(DefaultPortOf("ftp"), "80");
}

TEST(Url, ARequestLineCarriesNoBlankOrControlCharacter)
{
    EXPECT_EQ(EscapedForRequestLine("/my page.html?a=b%20c"), "/my%20page.html?a=b%20c");
    EXPECT_EQ(EscapedForRequestLine("/a\rHost: evil\x7F"), "/a%0DHost:%20evil%7F");
    EXPECT_EQ(EscapedForRequestLine("/caf\xC3\xA9"), "/caf%C3%A9");
}
