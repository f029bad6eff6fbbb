#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

// Tags of today's markup spread over lines, as editors write them: an unquoted value
// ends at the line end, and each reference keeps its tag's line.
TEST(Html5Scan, TagsSpanningLines)
{
    TempSite site(
        { { "index.html",
              "<html>\r\n<video\r\nposter=p.jpg\nsrc=v.mp4><source src=s.mp4\r\ntype=video/mp4>\r\n"
              "<p\nstyle=\"background:url(b.png)\">\r<img srcset=\"a.png 1x,\n b.png 2x\"></html>" },
            { "p.jpg", "x" }, { "v.mp4", "x" }, { "a.png", "x" } });
    RunOptions options;
    options.Html5 = true;
    SiteRun run;
    run.Run(site.Root(), options, { "index.html" });
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        (std::vector<std::string> { "v.mp4|OK|index.html|white", "s.mp4|NOT FOUND|index.html|red" }));
    EXPECT_EQ(SiteRun::Rows(run.models.ImgGrid),
        (std::vector<std::string> {
            "p.jpg|OK|index.html|white", "b.png|NOT FOUND|index.html|red", "a.png|OK|index.html|white" }));
    struct Case {
        std::size_t row;
        std::uint32_t line;
    };
    const ReferencePlaces& places = run.state.Places;
    for (Case c : { Case { 1, 2 }, Case { 2, 6 }, Case { 3, 8 } }) {
        std::uint32_t ref = places.RefOfRow(ReferencePlaces::Grid::Images, c.row);
        ASSERT_NE(ref, ReferencePlaces::None);
        EXPECT_EQ(places.PlaceAt(places.FirstPlace(ref)).line, c.line) << "image row " << c.row;
    }
}

// A tag is known by its whole name in any letter case: a longer name that begins like
// one of today's elements, or a "(" that is no url(), carries none of their references.
TEST(Html5Scan, ElementsKnownByTheirWholeNameInAnyCase)
{
    struct Case {
        std::string tag;
        std::vector<std::string> links;
        std::vector<std::string> images;
    };
    const Case cases[] = {
        { "<IMG SRCSET=\"a.png 1x, b.png 2x\">", {}, { "a.png", "b.png" } },
        { "<Source SrcSet=c.png SRC=d.mp4>", { "d.mp4" }, { "c.png" } },
        { "<VIDEO POSTER=p.jpg SRC=v.mp4>", { "v.mp4" }, { "p.jpg" } },
        { "<Audio src=a.ogg><TRACK src=t.vtt>", { "a.ogg", "t.vtt" }, {} },
        { "<Object Data=o.svg>", { "o.svg" }, {} },
        { "<META HTTP-EQUIV=REFRESH CONTENT=\"0; URL=n.html\">", { "n.html" }, {} },
        { "<P STYLE=\"background: URL( s.png )\">", {}, { "s.png" } },
        { "<STYLE>p { background: url(u.png) }</STYLE>", {}, { "u.png" } },
        { "<sources src=x.mp4 srcset=x.png><imgs srcset=x.png><videos src=x.mp4><objects data=x.svg>", {}, {} },
        { "<metas http-equiv=refresh content=\"0; url=x.html\"><div srcset=x.png>", {}, {} },
        { "<styles>p { background: url(x.png) }</styles>", {}, {} },
        { "<p title=\"(url)\" lang=url(x.png)><a title=\"(see)\" href=h.html>", { "h.html" }, {} },
    };
    for (const Case& c : cases) {
        TempSite site({ { "index.html", "<html>" + c.tag + "</html>" } });
        RunOptions options;
        options.Html5 = true;
        SiteRun run;
        run.Run(site.Root(), options, { "index.html" });
        auto refs = [](const ResultGrid& grid) {
            std::vector<std::string> found;
            for (const std::string& row : SiteRun::Rows(grid))
                found.push_back(row.substr(0, row.find('|')));
            return found;
        };
        EXPECT_EQ(refs(run.models.LinkGrid), c.links) << c.tag;
        EXPECT_EQ(refs(run.models.ImgGrid), c.images) << c.tag;
    }
}
