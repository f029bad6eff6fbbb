#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

TEST(LocalCheck, AScriptsSourceIsCheckedButNotWhatItsTextWrites)
{
    TempSite site({ { "index.html",
                        "<html><script src=code.js>var s = '<a href=\"missing.html\">';</script>"
                        "<style>.x { content: '<img src=missing.gif>' }</style><a href=gone.html></html>" },
        { "code.js", "" } });
    SiteRun run;
    run.Run(site.Root(), RunOptions {}, { "index.html" });
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        (std::vector<std::string> { "code.js|OK|index.html|white", "gone.html|NOT FOUND|index.html|red" }));
    EXPECT_EQ(SiteRun::Rows(run.models.ImgGrid), std::vector<std::string> {});
}
