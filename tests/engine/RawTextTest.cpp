#include "engine/TagWalker.h"
#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

Strings Tags(std::string_view text)
{
    Strings tags;
    TagWalker walker(text);
    std::string_view tag;
    while (walker.Next(tag))
        tags.emplace_back(tag);
    return tags;
}

}

TEST(TagWalker, TheTextOfScriptStyleTextareaAndXmpIsNoMarkup)
{
    const std::pair<const char*, Strings> cases[] = {
        { "<script src=a.js>document.write('<a href=x.html>')</script><b>",
            { "<script src=a.js>", "</script>", "<b>" } },
        { "<STYLE>p { background: url('<img src=y.gif>') }</Style ><i>", { "<STYLE>", "</Style >", "<i>" } },
        { "<textarea name=t><a href=x.html></textarea>", { "<textarea name=t>", "</textarea>" } },
        { "<xmp><img src=a.gif></xmp>", { "<xmp>", "</xmp>" } },
        { "<script\ntype=x><a href=x.html></SCRIPT\n>", { "<script\ntype=x>", "</SCRIPT\n>" } },
        { "<script/><a href=x.html></script/>", { "<script/>", "</script/>" } },
        // Only the element's own end tag ends its text; a comment inside it is text too.
        { "<script>'</scripts><a href=x.html>'</script>", { "<script>", "</script>" } },
        { "<style></script><a href=x.html></style>", { "<style>", "</style>" } },
        { "<script><!-- </script> --><b>", { "<script>", "</script>", "<b>" } },
        // Text without the end tag runs to the end of the page, as in a browser.
        { "<script><a href=x.html>", { "<script>" } },
        { "<script><a href=x.html></script", { "<script>" } },
        // Names that only begin like one of them hold markup.
        { "<scripts><a href=x.html>", { "<scripts>", "<a href=x.html>" } },
        { "<styles><b></styles>", { "<styles>", "<b>", "</styles>" } },
        { "</script><a href=x.html>", { "</script>", "<a href=x.html>" } },
        { "<!-- <script> --><a href=x.html>", { "<a href=x.html>" } },
    };
    for (const auto& [text, tags] : cases)
        EXPECT_EQ(Tags(text), tags) << text;
}

TEST(TagWalker, AScriptsSourceIsCheckedButNotWhatItsTextWrites)
{
    TempSite site({ { "index.html",
                        "<html><script src=code.js>var s = '<a href=\"missing.html\">';</script>"
                        "<style>.x { content: '<img src=missing.gif>' }</style><a href=gone.html></html>" },
        { "code.js", "" } });
    SiteRun run;
    run.Run(site.Root(), RunOptions {}, { "index.html" });
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        (Strings { "code.js|OK|index.html|white", "gone.html|NOT FOUND|index.html|red" }));
    EXPECT_EQ(SiteRun::Rows(run.models.ImgGrid), Strings {});
}
