#include "engine/GatheredPlaces.h"
#include "engine/LineCounter.h"
#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

namespace {

/// Every place of the reference whose row in the link grid names `ref`, as "page:line".
std::vector<std::string> PlacesOf(const SiteRun& run, const std::string& ref)
{
    const ReferencePlaces& places = run.state.Places;
    const ResultGrid& grid = run.models.LinkGrid;
    for (std::size_t row = 1; row < grid.RowCount(); ++row) {
        if (grid.Row(row).cells[0] != ref)
            continue;
        std::vector<std::string> found;
        std::uint32_t r = places.RefOfRow(ReferencePlaces::Grid::Links, row);
        for (std::uint32_t at = r == ReferencePlaces::None ? r : places.FirstPlace(r);
             at != ReferencePlaces::None; at = places.PlaceAt(at).next)
            found.push_back(
                std::string(places.PageName(places.PlaceAt(at).page)) + ":" + std::to_string(places.PlaceAt(at).line));
        return found;
    }
    return {};
}

}

TEST(LineCounter, CountsEveryKindOfLineEnd)
{
    struct Case {
        const char* name;
        std::string text;
        std::size_t offset;
        std::uint32_t line;
    };
    const Case cases[] = {
        { "start", "a\nb", 0, 1 },
        { "after LF", "a\nb", 2, 2 },
        { "after CR LF", "a\r\nb", 3, 2 },
        { "inside CR LF", "a\r\nb", 2, 1 },
        { "after lone CR", "a\rb", 2, 2 },
        { "mixed", "a\r\n\r\n\n\rb", 7, 5 },
        { "CR at the end", "a\r", 2, 2 },
        { "past the end", "a\nb", 99, 2 },
    };
    for (const Case& c : cases) {
        LineCounter lines(c.text);
        EXPECT_EQ(lines.LineAt(c.offset), c.line) << c.name;
    }
}

TEST(LineCounter, AnswersAsTheWalkMovesOn)
{
    LineCounter lines("<a>\r\n<b\r\nc>\r<d>");
    EXPECT_EQ(lines.LineAt(0), 1u);
    EXPECT_EQ(lines.LineAt(5), 2u);
    EXPECT_EQ(lines.LineAt(12), 4u);
    EXPECT_EQ(lines.LineAt(5), 4u) << "offsets never go back";
}

TEST(ReferencePlaces, EveryPlaceOfAReferenceCheckedOnce)
{
    TempSite site(
        { { "index.html", "<html>\r\n<a href=b.html>\r\n<a\r\nhref=gone.html><a href=gone.html></html>" },
            { "b.html", "<html>\r<a href=gone.html>\r\r<a href=index.html></html>" },
            { "c.html", "<html>\n\n<a href=gone.html></html>" } });
    SiteRun run;
    RunOptions options;
    run.Run(site.Root(), options, { "index.html", "b.html", "c.html" });
    struct Case {
        const char* ref;
        std::vector<std::string> places;
    };
    const Case cases[] = {
        { "b.html", { "index.html:2" } },
        { "gone.html", { "index.html:3", "index.html:4", "b.html:2", "c.html:3" } },
        { "index.html", { "b.html:4" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlacesOf(run, c.ref), c.places) << c.ref;
    std::vector<std::string> analysed;
    for (std::uint32_t page : run.state.Places.AnalysedPages())
        analysed.emplace_back(run.state.Places.PageName(page));
    EXPECT_EQ(analysed, (std::vector<std::string> { "index.html", "b.html", "c.html" }));
}

TEST(ReferencePlaces, PlacesGatheredSideBySideAreEachChainInOrder)
{
    // Chains of one to seven places, interleaved over three pages.
    TempSite site({ { "a.html", "<a href=x.html><a href=y.html><a href=x.html>\n<a href=z.html><a href=x.html>" },
        { "b.html", "<a href=y.html>\n<a href=x.html>\n<a href=w.html>" },
        { "c.html", "<a href=x.html><a href=x.html>\n\n<a href=y.html><a href=x.html>" } });
    SiteRun run;
    RunOptions options;
    run.Run(site.Root(), options, { "a.html", "b.html", "c.html" });
    const ReferencePlaces& places = run.state.Places;
    const ResultGrid& grid = run.models.LinkGrid;
    std::vector<std::uint32_t> refs { ReferencePlaces::None };
    for (std::size_t row = 1; row < grid.RowCount(); ++row)
        refs.push_back(places.RefOfRow(ReferencePlaces::Grid::Links, row));
    refs.push_back(refs[1]);
    GatheredPlaces gathered(places);
    for (int twice = 0; twice < 2; ++twice) {
        gathered.Gather(refs);
        for (std::size_t i = 0; i < refs.size(); ++i) {
            std::vector<std::pair<std::uint32_t, std::uint32_t>> chain, got;
            for (std::uint32_t at = refs[i] == ReferencePlaces::None ? refs[i] : places.FirstPlace(refs[i]);
                 at != ReferencePlaces::None; at = places.PlaceAt(at).next)
                chain.emplace_back(places.PlaceAt(at).page, places.PlaceAt(at).line);
            for (const ReferencePlaces::Place& place : gathered.Of(i))
                got.emplace_back(place.page, place.line);
            EXPECT_EQ(got, chain) << "reference " << i;
        }
    }
    EXPECT_EQ(gathered.Of(1).size(), 7u) << "x.html stands in seven places";
}

TEST(ReferencePlaces, KeysLookedUpAheadFindTheReferenceNotingThemWouldFind)
{
    using Key = ResolvedReference::KeyView;
    ReferencePlaces places;
    bool first = false;
    // Enough keys that the table has grown past its first size.
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i)
        texts.push_back("dir-" + std::to_string(i % 40) + "/page-" + std::to_string(i) + ".html");
    for (const std::string& text : texts)
        places.Note({ 0, text, "" }, "a.html", 1, first);
    places.Note({ 0, texts[7], "top" }, "a.html", 2, first);

    const std::vector<Key> keys {
        { 0, texts[7], "" }, // known
        { 0, texts[7], "top" }, // known, with an anchor
        { 0, texts[7], "bottom" }, // a known path with a new anchor
        { 1, texts[7], "" }, // a known path in another scope
        { 0, "new.html", "" }, // a new text
        { 0, texts[2999], "" }, // known, noted last
        { 0, "new.html", "" }, // new, twice on the page
    };
    std::vector<std::uint32_t> refs;
    places.Foresee(keys, refs);
    ASSERT_EQ(refs.size(), keys.size());
    const bool known[] = { true, true, false, false, false, true, false };
    for (std::size_t i = 0; i < keys.size(); ++i) {
        std::uint32_t ref = places.Note(keys[i], "b.html", 9, first);
        EXPECT_EQ(!first || i == 6, known[i] || i == 6) << i;
        if (known[i])
            EXPECT_EQ(refs[i], ref) << i;
        else
            EXPECT_EQ(refs[i], ReferencePlaces::None) << i;
    }
    // Noting again by the reference found is noting by its key.
    std::uint32_t ref = places.NoteAgain(refs[1], "c.html", 4);
    std::uint32_t at = places.FirstPlace(ref);
    std::vector<std::uint32_t> lines;
    for (; at != ReferencePlaces::None; at = places.PlaceAt(at).next)
        lines.push_back(places.PlaceAt(at).line);
    EXPECT_EQ(lines, (std::vector<std::uint32_t> { 2, 9, 4 }));
}

TEST(ReferencePlaces, SeparateReportsCheckAgainPerPage)
{
    TempSite site({ { "a.html", "<html><a href=gone.html></html>" },
        { "b.html", "<html>\n<a href=gone.html></html>" } });
    SiteRun run;
    RunOptions options;
    options.SeparateReports = true;
    run.Run(site.Root(), options, { "a.html", "b.html" });
    const ReferencePlaces& places = run.state.Places;
    std::uint32_t second = places.RefOfRow(ReferencePlaces::Grid::Links, 2);
    ASSERT_NE(second, ReferencePlaces::None);
    EXPECT_EQ(places.PlaceAt(places.FirstPlace(second)).line, 2u);
    EXPECT_EQ(places.PlaceAt(places.FirstPlace(second)).next, ReferencePlaces::None);
}

TEST(ReferencePlaces, KnowsAReferenceByItsTargetNotItsSpelling)
{
    struct Case {
        const char* first;
        const char* firstFolder;
        const char* second;
        const char* secondFolder;
        bool same;
    };
    const Case cases[] = {
        { "x%20y.html", "", "x y.html", "", true },
        { "/sub/a.html", "sub/", "sub/a.html", "", true },
        { "../b.html", "sub/", "b.html", "", true },
        { "a.html#", "", "a.html", "", true },
        { "#", "sub/", "?page=2", "sub/", true },
        { "http://h/a", "", "http://h/a", "sub/", true },
        { "a%2Fb.html", "", "./a%2Fb.html", "", true },
        { "a%2Fb.html", "", "a%2Fb.html", "sub/", false },
        { "a.html#x", "", "a.html#X", "", false },
        { "A.html", "", "a.html", "", false },
        // The folder's names are judged in the second, not in the first.
        { "b.html", "sub/", "sub/b.html", "", false },
        // An escaped "#" is part of the name, not the start of a fragment.
        { "x%23y.html", "", "x.html#y", "", false },
        { "x%23y", "", "x#y", "", false },
        { "a.html#y", "", "a.html#z", "", false },
    };
    for (const Case& c : cases) {
        auto parts = [](const char* value, const char* folder) {
            return ResolvedReference::Resolve(value, folder, "sub/p.html", ResolvedReference::Use::Link,
                ResolvedReference::Decoding::Decoded);
        };
        ResolvedReference a = parts(c.first, c.firstFolder);
        ResolvedReference b = parts(c.second, c.secondFolder);
        // The key made without the texts shown, as the read-ahead makes it, is the same.
        EXPECT_TRUE(ResolvedReference::SeenKeyOf(c.first, c.firstFolder, "sub/p.html", ResolvedReference::Use::Link,
                        ResolvedReference::Decoding::Decoded)
                        .View()
            == a.SeenKeyParts().View())
            << c.first;
        ReferencePlaces places;
        bool first = false;
        std::uint32_t ref = places.Note(a.SeenKeyParts().View(), "p.html", 1, first);
        EXPECT_TRUE(first) << c.first;
        EXPECT_EQ(places.Known(b.SeenKeyParts().View()), c.same) << c.first << " / " << c.second;
        std::uint32_t again = places.Note(b.SeenKeyParts().View(), "p.html", 2, first);
        EXPECT_EQ(!first, c.same) << c.first << " / " << c.second;
        EXPECT_EQ(again == ref, c.same) << c.first << " / " << c.second;
        places.ForgetKeys();
        EXPECT_FALSE(places.Known(a.SeenKeyParts().View())) << c.first;
    }
}
