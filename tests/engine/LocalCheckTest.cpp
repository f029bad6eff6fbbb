#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

namespace {

const std::string Html = "<html><body>";

std::vector<std::string> LinkRows(SiteRun& run) { return SiteRun::Rows(run.models.LinkGrid); }
std::vector<std::string> ImageRows(SiteRun& run) { return SiteRun::Rows(run.models.ImgGrid); }

}

TEST(LocalCheck, ImagesAreFoundMissingOrWronglyCased)
{
    TempSite site({ { "index.html", Html + "<img src=logo.gif><IMG SRC=\"Photo.GIF\"><img src=gone.gif></html>" },
        { "logo.gif", "" }, { "photo.gif", "" } });
    SiteRun run;
    run.Run(site.Root(), {}, { "index.html" });
    EXPECT_EQ(ImageRows(run), (std::vector<std::string> { "logo.gif|OK|index.html|white",
                                  "Photo.GIF|OK but CASE MISMATCH|index.html|red", "gone.gif|NOT FOUND|index.html|red" }));
    EXPECT_NE(run.Report().find("        Photo.GIF (Case Mismatch)\n"), std::string::npos);
    EXPECT_EQ(run.outcome.errorCount, 2u);
}

TEST(LocalCheck, EveryNameTheReferenceGivesIsJudgedButNotThePagesOwnFolder)
{
    TempSite site({ { "index.html", Html + "<a href=Docs/a.html><a href=docs/a.html></html>" },
        { "docs/a.html", Html + "<img src=pic.gif><img src=../Docs/pic.gif><img src=../docs/pic.gif></html>" },
        { "docs/pic.gif", "" } });
    SiteRun run;
    run.Run(site.Root(), TraceOptions(), { "index.html" });
    EXPECT_EQ(SiteRun::ResultOf(run.models.LinkGrid, "Docs/a.html"), "OK but CASE MISMATCH");
    EXPECT_EQ(SiteRun::ResultOf(run.models.LinkGrid, "docs/a.html"), "OK");
    // The page is analysed under its name on disk, "docs/a.html"; its folder is not judged again.
    EXPECT_EQ(SiteRun::ResultOf(run.models.ImgGrid, "docs/pic.gif"), "OK");
    EXPECT_EQ(SiteRun::ResultOf(run.models.ImgGrid, "docs/../Docs/pic.gif"), "OK but CASE MISMATCH");
    EXPECT_EQ(SiteRun::ResultOf(run.models.ImgGrid, "docs/../docs/pic.gif"), "OK");
}

TEST(LocalCheck, DifferentSpellingsOfOneFileAreCheckedOnce)
{
    TempSite site({ { "index.html", Html + "<img src=img/a.gif><a href=sub/p.html></html>" }, { "img/a.gif", "" },
        { "sub/p.html", Html + "<img src=../img/a.gif><img src=./../img/../img/a.gif><img src=../IMG/a.gif></html>" } });
    SiteRun run;
    run.Run(site.Root(), TraceOptions(), { "index.html" });
    EXPECT_EQ(ImageRows(run), (std::vector<std::string> { "img/a.gif|OK|index.html|white",
                                  "sub/../IMG/a.gif|OK but CASE MISMATCH|sub/p.html|red" }));
}

TEST(LocalCheck, EachResolvedTargetIsCheckedOnceLetterCaseCounting)
{
    TempSite site({ { "index.html", Html + "<img src=pic.gif><img src=pic.gif><img src=PIC.GIF><a href=sub/a.html></html>" },
        { "sub/a.html", Html + "<img src=pic.gif></html>" }, { "pic.gif", "" } });
    SiteRun run;
    run.Run(site.Root(), TraceOptions(), { "index.html" });
    EXPECT_EQ(ImageRows(run), (std::vector<std::string> { "pic.gif|OK|index.html|white",
                                  "PIC.GIF|OK but CASE MISMATCH|index.html|red", "sub/pic.gif|NOT FOUND|sub/a.html|red" }));
}

TEST(LocalCheck, QueriesEmptyValuesFoldersAndPseudoAddresses)
{
    TempSite site({ { "index.html", Html + "<a href=\"page.html?x=1\"><img src=\"\"><a href=sub/>"
                                           "<a href=\"javascript:go()\"><a href=./page.html></html>" },
        { "page.html", Html }, { "sub/x.html", Html } });
    SiteRun run;
    run.Run(site.Root(), {}, { "index.html" });
    EXPECT_EQ(LinkRows(run), (std::vector<std::string> { "page.html|OK|index.html|white", "sub/|NOT FOUND|index.html|red",
                                 "javascript:go()|Not checked|index.html|silver" }));
    EXPECT_TRUE(ImageRows(run).empty());
}

TEST(LocalCheck, DotSegmentsAreDroppedButParentSegmentsResolvedByTheFileSystem)
{
    TempSite site({ { "index.html", Html + "<a href=a/./b.html><a href=a/../c.html><a href=../c.html></html>" },
        { "a/b.html", Html }, { "c.html", Html } });
    SiteRun run;
    run.Run(site.Root(), {}, { "index.html" });
    EXPECT_EQ(SiteRun::ResultOf(run.models.LinkGrid, "a/./b.html"), "OK");
    EXPECT_EQ(SiteRun::ResultOf(run.models.LinkGrid, "a/../c.html"), "OK");
    // From the site's top a leading "../" is dropped for links, so this is c.html again,
    // which has been checked already.
    EXPECT_EQ(SiteRun::ResultOf(run.models.LinkGrid, "../c.html"), "(no row)");
    EXPECT_NE(run.Report().find("        a/b.html\n"), std::string::npos);
}

TEST(LocalCheck, AnchorsMustBeNamedByANameOrIdAttribute)
{
    TempSite site({ { "index.html", Html + "<a NAME=top></a><p>introduction</p><a href=#top><a href=#intro>"
                                           "<a href=other.html#sec><a href=other.html#part><a href=other.html#>"
                                           "<a href=Other.html#part></html>" },
        { "other.html", Html + "<a href=\"#sec\">x</a><h2 id=\"part\">y</h2></html>" } });
    SiteRun run;
    run.Run(site.Root(), {}, { "index.html" });
    EXPECT_EQ(LinkRows(run), (std::vector<std::string> { "index.html#top|OK|index.html|white",
                                 "index.html#intro|NOT FOUND|index.html|red", "other.html#sec|NOT FOUND|index.html|red",
                                 "other.html#part|OK|index.html|white", "other.html|OK|index.html|white",
                                 "Other.html#part|OK but CASE MISMATCH|index.html|red" }));
}

TEST(LocalCheck, AnchorsInASubFolderPage)
{
    TempSite site({ { "index.html", Html + "<a href=sub/p.html></html>" },
        { "sub/p.html", Html + "<a id=here></a><a href=#here><a href=q.html#there><a href=#none></html>" },
        { "sub/q.html", Html + "<a name=there></a></html>" } });
    SiteRun run;
    run.Run(site.Root(), TraceOptions(), { "index.html" });
    EXPECT_EQ(SiteRun::ResultOf(run.models.LinkGrid, "sub/p.html#here"), "OK");
    EXPECT_EQ(SiteRun::ResultOf(run.models.LinkGrid, "sub/q.html#there"), "OK");
    EXPECT_EQ(SiteRun::ResultOf(run.models.LinkGrid, "sub/p.html#none"), "NOT FOUND");
}

TEST(LocalCheck, ExternalReferencesAreListedAsNotCheckedOnlyWhenWanted)
{
    TempSite site({ { "index.html", Html + "<a href=\"mailto:a@b.c\"><a href=\"http://example.com/\">"
                                           "<img src=\"https://example.com/i.gif\"><a href=\"news:comp.x\"></html>" } });
    SiteRun listed;
    listed.Run(site.Root(), {}, { "index.html" });
    EXPECT_EQ(LinkRows(listed), (std::vector<std::string> { "mailto:a@b.c|Not checked|index.html|silver",
                                    "http://example.com/|Not checked|index.html|silver",
                                    "news:comp.x|Not checked|index.html|silver" }));
    EXPECT_EQ(ImageRows(listed), (std::vector<std::string> { "https://example.com/i.gif|Not checked|index.html|silver" }));
    EXPECT_EQ(listed.models.Labels.Links(), "Links: 3");

    RunOptions quiet;
    quiet.ListUnchecked = false;
    SiteRun unlisted;
    unlisted.Run(site.Root(), quiet, { "index.html" });
    EXPECT_TRUE(LinkRows(unlisted).empty());
    EXPECT_EQ(unlisted.outcome.errorCount, 0u);
}

TEST(LocalCheck, ExternalSchemesInASubFolderPageKeepTheirOwnText)
{
    TempSite site({ { "index.html", Html + "<a href=sub/a.html></html>" },
        { "sub/a.html", Html + "<a href=\"https://example.com/x\"><a href=\"ftp://example.com/f\"></html>" } });
    SiteRun run;
    run.Run(site.Root(), TraceOptions(), { "index.html" });
    EXPECT_EQ(SiteRun::ResultOf(run.models.LinkGrid, "https://example.com/x"), "Not checked");
    EXPECT_EQ(SiteRun::ResultOf(run.models.LinkGrid, "ftp://example.com/f"), "Not checked");
}

TEST(LocalCheck, LinksOnlyLeavesImagesUncheckedAndEveryCheckIsTimed)
{
    TempSite site({ { "index.html", Html + "<img src=a.gif><a href=index.html></html>" } });
    RunOptions options;
    options.CheckIntImages = options.ReportIntImages = false;
    SiteRun run;
    run.Run(site.Root(), options, { "index.html" });
    EXPECT_TRUE(ImageRows(run).empty());
    EXPECT_EQ(run.models.LinkGrid.Row(1).cells[3], "<0.1");
    EXPECT_EQ(run.Report().find("valid image"), std::string::npos);
}

TEST(LocalCheck, TagGroupsDecideWhichAttributeIsChecked)
{
    TempSite site({ { "index.html", Html + "<table background=bg.gif><td background=cell.gif>"
                                           "<frameset><frame src=f.html><script src=s.js></script>\n<img\nsrc=n.gif>"
                                           "<img\tsrc=tab.gif><body background=\"b.gif\"></html>" },
        { "bg.gif", "" }, { "f.html", Html } });
    SiteRun run;
    run.Run(site.Root(), {}, { "index.html" });
    EXPECT_EQ(ImageRows(run), (std::vector<std::string> { "bg.gif|OK|index.html|white",
                                  "cell.gif|NOT FOUND|index.html|red", "n.gif|NOT FOUND|index.html|red",
                                  "b.gif|NOT FOUND|index.html|red" }));
    EXPECT_EQ(LinkRows(run), (std::vector<std::string> { "f.html|OK|index.html|white", "s.js|NOT FOUND|index.html|red" }));
}
