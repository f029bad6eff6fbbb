#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

namespace {

const std::string Html = "<html><body>";

RunOptions UnusedOptions()
{
    RunOptions options = TraceOptions();
    options.ReportUnused = true;
    return options;
}

}

TEST(SiteTrace, FollowsLocalLinksBreadthFirstScanningEachPageOnce)
{
    TempSite site({ { "index.html", Html + "<a href=a.html><a href=b.html></html>" },
        { "a.html", Html + "<a href=b.html><a href=c.html><a href=index.html></html>" },
        { "b.html", Html + "<a href=a.html><a href=B.HTML></html>" }, { "c.html", Html } });
    SiteRun run;
    run.Run(site.Root(), TraceOptions(), {}, "index.html");
    EXPECT_EQ(run.AnalysedPages(), (std::vector<std::string> { "index.html", "a.html", "b.html", "c.html" }));
    EXPECT_EQ(run.models.Labels.PagesToCheck(), "Pages left to check: 0");
}

TEST(SiteTrace, OnlyPagesAreQueuedAndOtherFilesEndNotAnalysed)
{
    TempSite site({ { "index.html", Html + "<link href=style.css><a href=favicon.ico><script src=code.js></script>"
                                           "<a href=README><a href=CODE.JS><a href=report.pdf><a href=b.html#part></html>" },
        { "style.css", "" }, { "favicon.ico", "" }, { "code.js", "" }, { "README", "" }, { "report.pdf", "%PDF" },
        { "b.html", Html + "<a name=part></a></html>" } });
    SiteRun run;
    run.Run(site.Root(), TraceOptions(), { "index.html" });
    // "CODE.JS" passes the extension test as written and is queued under its name on disk.
    EXPECT_EQ(run.AnalysedPages(), (std::vector<std::string> { "index.html", "code.js", "report.pdf", "b.html" }));
    EXPECT_EQ(run.outcome.notAnalysed, (std::vector<std::string> { "code.js", "report.pdf" }));
    EXPECT_NE(run.Report().find("The following 2 files were not analysed:\n    code.js\n    report.pdf\n"
                                "    ===========================\n"),
        std::string::npos);
}

TEST(SiteTrace, AMissingPageIsReportedOnceAndNeverQueued)
{
    TempSite site({ { "index.html", Html + "<a href=missing.html#x><a href=gone.html></html>" } });
    SiteRun run;
    run.Run(site.Root(), TraceOptions(), { "index.html" });
    EXPECT_EQ(run.AnalysedPages(), (std::vector<std::string> { "index.html" }));
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        (std::vector<std::string> { "missing.html#x|NOT FOUND|index.html|red", "gone.html|NOT FOUND|index.html|red" }));
    EXPECT_EQ(run.outcome.errorCount, 2u);
}

TEST(SiteTrace, APageReachedThroughDifferentRelativePathsIsScannedOnce)
{
    TempSite site({ { "index.html", Html + "<a href=a/x.html><a href=b/y.html></html>" },
        { "a/x.html", Html + "<a href=../b/y.html></html>" }, { "b/y.html", Html + "<a href=../a/x.html></html>" } });
    SiteRun run;
    run.Run(site.Root(), TraceOptions(), { "index.html" });
    EXPECT_EQ(run.AnalysedPages(), (std::vector<std::string> { "index.html", "a/x.html", "b/y.html" }));
}

TEST(SiteTrace, TheSameLinkTextInASubFolderIsItsOwnTarget)
{
    TempSite site({ { "index.html", Html + "<a href=b.html><a href=sub/a.html></html>" }, { "b.html", Html },
        { "sub/a.html", Html + "<a href=b.html></html>" }, { "sub/b.html", Html + "<img src=broken.gif></html>" } });
    SiteRun run;
    run.Run(site.Root(), TraceOptions(), { "index.html" });
    EXPECT_EQ(run.AnalysedPages(), (std::vector<std::string> { "index.html", "b.html", "sub/a.html", "sub/b.html" }));
    EXPECT_EQ(SiteRun::ResultOf(run.models.ImgGrid, "sub/broken.gif"), "NOT FOUND");
}

TEST(SiteTrace, UnusedFilesAreThoseNoReferenceResolvesTo)
{
    TempSite site({ { "index.html", Html + "<img src=used.gif><img src=img/a.gif><a href=sub/p.html>"
                                           "<a href=Wrong.html><a href=sub/q.html#top></html>" },
        { "used.gif", "" }, { "orphan.gif", "" }, { "wrong.html", Html }, { "img/a.gif", "" }, { "img/b.gif", "" },
        { "sub/p.html", Html + "<img src=../img/a.gif><img src=local.gif></html>" }, { "sub/local.gif", "" },
        { "sub/old.gif", "" }, { "sub/q.html", Html + "<a name=top></a><img src=../img/b.gif></html>" } });
    SiteRun run;
    run.Run(site.Root(), UnusedOptions(), { "index.html" });
    // The starting page and a file used through a wrongly cased name are used.
    EXPECT_EQ(run.outcome.unused, (std::vector<std::string> { "orphan.gif", "sub/old.gif" }));
    EXPECT_NE(run.Report().find("The following 2 files were not used:\n    orphan.gif\n    sub/old.gif\n"),
        std::string::npos);
}

TEST(SiteTrace, UnusedFilesAreReportedEvenWhenEveryPageWasAnalysed)
{
    TempSite site({ { "index.html", Html + "<a href=index.html></html>" } });
    SiteRun run;
    run.Run(site.Root(), UnusedOptions(), { "index.html" });
    EXPECT_NE(run.Report().find("|||||| No errors were reported ||||||\n    ==============================\n"
                                "The following files were not used:\n    (NONE)\n"),
        std::string::npos)
        << run.Report();
}
