#include "engine/Html5References.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

Strings Texts(const std::vector<std::string_view>& views)
{
    return { views.begin(), views.end() };
}

Strings Texts(const std::vector<Html5References::CssUrl>& urls)
{
    Strings out;
    for (const auto& u : urls)
        out.emplace_back(u.url);
    return out;
}

}

TEST(Html5References, SrcsetCandidates)
{
    struct Case {
        std::string srcset;
        Strings urls;
    };
    const Case cases[] = {
        { "a.png", { "a.png" } },
        { "a.png 1x, b.png 2x", { "a.png", "b.png" } },
        { "  a.png  480w ,\n b.png\t800w", { "a.png", "b.png" } },
        { "a.png, b.png,", { "a.png", "b.png" } },
        { "a,b.png 1x", { "a,b.png" } },
        { "data:image/png;base64,AA== 1x, b.png 2x", { "data:image/png;base64,AA==", "b.png" } },
        { "a.png 1x (x, y), b.png", { "a.png", "b.png" } },
        { " , ,", {} },
        { "", {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Texts(Html5References::SrcsetUrls(c.srcset)), c.urls) << c.srcset;
}

TEST(Html5References, CssUrls)
{
    struct Case {
        std::string css;
        Strings urls;
    };
    const Case cases[] = {
        { "background: url(a.png)", { "a.png" } },
        { "a{b:URL( 'x y.png' )} c{d:url(\"q.gif\")}", { "x y.png", "q.gif" } },
        { "/* url(no.png) */ url(yes.png)", { "yes.png" } },
        { "url() url('') url(   )", {} },
        { "url(open.png", { "open.png" } },
        { "url('unclosed", { "unclosed" } },
        { "/* url(never.png)", {} },
        { "url", {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(Texts(Html5References::CssUrls(c.css)), c.urls) << c.css;
    std::string css = "x\nurl(a.png)";
    EXPECT_EQ(Html5References::CssUrls(css).at(0).offset, 6u);
}

TEST(Html5References, RefreshUrl)
{
    struct Case {
        std::string content;
        std::string url; // empty: none
    };
    const Case cases[] = {
        { "5; url=next.html", "next.html" },
        { "0;URL='next.html'", "next.html" },
        { "3, url = \"a b.html\" ", "a b.html" },
        { "2.5;http://example.com/", "http://example.com/" },
        { "10", "" },
        { "1; url=", "" },
        { "", "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(Html5References::RefreshUrl(c.content).value_or("")), c.url) << c.content;
}
