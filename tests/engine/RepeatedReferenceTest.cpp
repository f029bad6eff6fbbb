#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

namespace {

const std::string Html = "<html><body>";

}

TEST(RepeatedReference, ASamePageAnchorIsCheckedOnEveryPageThatLinksIt)
{
    TempSite site({ { "index.html", Html + "<a name=top></a><a href=#top><a href=b.html></html>" },
        { "b.html", Html + "<a href=#top><a href=./#top><a href=sub/c.html><a href=sub/d.html></html>" },
        { "sub/c.html", Html + "<a href=#top><a name=top></a></html>" },
        { "sub/d.html", Html + "<a href=./#top><a href=d.html#top></html>" } });
    SiteRun run;
    run.Run(site.Root(), TraceOptions(), { "index.html" });
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        (std::vector<std::string> { "index.html#top|OK|index.html|white", "b.html|OK|index.html|white",
            "b.html#top|NOT FOUND|b.html|red", "sub/c.html|OK|b.html|white", "sub/d.html|OK|b.html|white",
            "sub/c.html#top|OK|sub/c.html|white", "sub/d.html#top|NOT FOUND|sub/d.html|red" }));
    EXPECT_EQ(run.outcome.errorCount, 2u);
}
