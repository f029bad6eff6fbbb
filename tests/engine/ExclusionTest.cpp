#include "engine/ExclusionList.h"
#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

TEST(Exclusion, MatchesAnywhereInTheReferenceAsWritten)
{
    struct Case {
        const char* pattern;
        std::string reference;
        bool excluded;
    };
    const Case cases[] = {
        { "example\\.com", "http://example.com/a", true },
        { "^img/", "img/a.gif", true },
        { "^img/", "../img/a.gif", false },
        { "a|b", "b.html", true },
        { "%20", "a%20b.html", true },
        { "a b", "a%20b.html", false },
        { "x$", std::string("a\0x", 3), true },
    };
    for (const Case& c : cases) {
        std::string error;
        ExclusionList list = ExclusionList::Compile({ c.pattern }, error);
        EXPECT_EQ(error, "");
        EXPECT_EQ(list.Matches(c.reference), c.excluded) << c.pattern << " on " << c.reference;
    }
    std::string error;
    EXPECT_FALSE(ExclusionList::Compile({ "ok", "(" }, error).Matches("ok"));
    EXPECT_NE(error.find("not a regular expression: ("), std::string::npos);
}

TEST(Exclusion, AnExcludedReferenceIsListedButNeverProbedNorTraced)
{
    TempSite site({ { "index.html",
                        "<html><a href=skip.html><a href=http://127.0.0.1:1/gone><img src=img/none.gif>"
                        "<a href=next.html></html>" },
        { "skip.html", "<html><a href=inner.html></html>" }, { "next.html", "<html></html>" } });
    RunOptions options = TraceOptions();
    options.CheckExtLinks = true;
    options.Exclusions = { "skip", "127\\.0\\.0\\.1", "none" };
    SiteRun run;
    run.Run(site.Root(), options, { "index.html" });
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        (std::vector<std::string> { "skip.html|Not checked|index.html|silver",
            "http://127.0.0.1:1/gone|Not checked|index.html|silver", "next.html|OK|index.html|white" }));
    EXPECT_EQ(SiteRun::Rows(run.models.ImgGrid),
        (std::vector<std::string> { "img/none.gif|Not checked|index.html|silver" }));
    EXPECT_EQ(run.AnalysedPages(), (std::vector<std::string> { "index.html", "next.html" }));
    EXPECT_EQ(run.outcome.errorCount, 0u);
}
