#include "net/Relocation.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* value;
    RequestTarget expected;
    const char* location;
};

const RequestTarget Current { "http", "site.test", "8080", "/dir/old.html?a=1" };

const Case Cases[] = {
    { "/new/page.html", { "http", "site.test", "8080", "/new/page.html" },
        "http://site.test:8080/new/page.html" },
    { "/a/../b/./c.html#top", { "http", "site.test", "8080", "/b/c.html" },
        "http://site.test:8080/b/c.html" },
    { "http://other.test/x", { "http", "other.test", "80", "/x" }, "http://other.test/x" },
    { "http://other.test", { "http", "other.test", "80", "/" }, "http://other.test" },
    { "https://other.test/secure", { "https", "other.test", "443", "/secure" }, "https://other.test/secure" },
    { "https://other.test:8443/s", { "https", "other.test", "8443", "/s" }, "https://other.test:8443/s" },
    { "HTTPS://Other.test/", { "HTTPS", "Other.test", "443", "/" }, "HTTPS://Other.test/" },
    { "http://other.test?q", { "http", "other.test", "80", "/?q" }, "http://other.test/?q" },
    { "//cdn.test/lib.js", { "http", "cdn.test", "80", "/lib.js" }, "http://cdn.test/lib.js" },
    { "new.html", { "http", "site.test", "8080", "/dir/new.html" }, "http://site.test:8080/dir/new.html" },
    { "sub/page.html", { "http", "site.test", "8080", "/dir/sub/page.html" },
        "http://site.test:8080/dir/sub/page.html" },
    { "../up.html", { "http", "site.test", "8080", "/up.html" }, "http://site.test:8080/up.html" },
    { "../../../up.html", { "http", "site.test", "8080", "/up.html" }, "http://site.test:8080/up.html" },
    { "?b=2", { "http", "site.test", "8080", "/dir/old.html?b=2" },
        "http://site.test:8080/dir/old.html?b=2" },
    { "http:rel.html", { "http", "site.test", "8080", "/dir/rel.html" },
        "http://site.test:8080/dir/rel.html" },
    { "", { "http", "site.test", "8080", "/dir/old.html?a=1" }, "http://site.test:8080/dir/old.html?a=1" },
    { "/trailing.html  ", { "http", "site.test", "8080", "/trailing.html" },
        "http://site.test:8080/trailing.html" },
};

}

TEST(Relocation, EachFormOfLocationValueResolvesAgainstTheCurrentRequest)
{
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.value);
        const Relocation r = ResolveRelocation(Current, c.value);
        EXPECT_EQ(r.target.protocol, c.expected.protocol);
        EXPECT_EQ(r.target.host, c.expected.host);
        EXPECT_EQ(r.target.port, c.expected.port);
        EXPECT_EQ(r.target.path, c.expected.path);
        EXPECT_EQ(r.location, c.location);
    }
}

TEST(Relocation, ChangingProtocolWithoutAPortTakesTheNewDefaultPort)
{
    const RequestTarget secure { "https", "site.test", "443", "/" };
    const Relocation down = ResolveRelocation(secure, "http://site.test/plain");
    EXPECT_EQ(down.target.port, "80");
    EXPECT_EQ(down.location, "http://site.test/plain");
    const Relocation keep = ResolveRelocation(secure, "/same");
    EXPECT_EQ(keep.target.protocol, "https");
    EXPECT_EQ(keep.location, "https://site.test/same");
}

TEST(Relocation, DotSegmentsNeverClimbAboveTheRoot)
{
    EXPECT_EQ(RemoveDotSegments("/a/b/../c"), "/a/c");
    EXPECT_EQ(RemoveDotSegments("/a/./b/"), "/a/b/");
    EXPECT_EQ(RemoveDotSegments("/a/.."), "/");
    EXPECT_EQ(RemoveDotSegments("/../../x"), "/x");
    EXPECT_EQ(RemoveDotSegments("/a/b/.?q=../x"), "/a/b/?q=../x");
    EXPECT_EQ(RemoveDotSegments(""), "/");
}
