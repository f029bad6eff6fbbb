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
