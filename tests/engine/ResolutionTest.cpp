#include "engine/AnchorIndex.h"
#include "engine/ReferenceCutter.h"
#include "engine/ResolvedReference.h"
#include "engine/UrlText.h"
#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

namespace {

using Kind = ResolvedReference::Kind;
constexpr auto Link = ResolvedReference::Use::Link;
constexpr auto Image = ResolvedReference::Use::Image;
constexpr auto Decoded = ResolvedReference::Decoding::Decoded;

}

TEST(UrlText, ASchemeIsALetterThenLettersDigitsPlusMinusOrDotTwoCharactersOrMore)
{
    const std::pair<const char*, const char*> cases[] = {
        { "http://x", "http" },
        { "JavaScript:void(0)", "JavaScript" },
        { "svn+ssh://host", "svn+ssh" },
        { "x-y.z:1", "x-y.z" },
        { "tel:+45", "tel" },
        { "C:\\x.html", "" },
        { "c:/x.html", "" },
        { "1a:b", "" },
        { "(http://x", "" },
        { "a b:c", "" },
        { "page.html", "" },
        { "page.html#x:y", "" },
        { "//host/path", "" },
        { "http", "" },
    };
    for (auto [value, scheme] : cases)
        EXPECT_EQ(UrlText::SchemeOf(value), scheme) << value;
}

TEST(UrlText, APathIsDecodedUnlessAnEscapeNamesASeparatorOrNul)
{
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        { "operator%5E.html", "operator^.html" },
        { "x%20y.html", "x y.html" },
        { "%c3%A9t%C3%a9.html", "\xC3\xA9t\xC3\xA9.html" },
        { "100%.html", "100%.html" },
        { "a%2.html", "a%2.html" },
        { "a%zz.html", "a%zz.html" },
        { "end%", "end%" },
        { "%%41%", "%A%" },
        { "%41", "A" },
        { "a%4", "a%4" },
        { "%252F.html", "%2F.html" },
        { "a+b.html", "a+b.html" },
        { "a%2Fb.html", std::nullopt },
        { "a%2fb.html", std::nullopt },
        { "a%5Cb.html", std::nullopt },
        { "a%00.html", std::nullopt },
    };
    for (const auto& [path, decoded] : cases)
        EXPECT_EQ(UrlText::DecodePath(path), decoded) << path;
}

TEST(UrlText, AFileAddressNamesAPathOnThisMachineOnly)
{
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        { "file:///usr/share/doc/x.html", "/usr/share/doc/x.html" },
        { "FILE://localhost/tmp/a%20b.html", "/tmp/a b.html" },
        { "file:/tmp/x.html#part", "/tmp/x.html" },
        { "file:///tmp/x.html?q=1", "/tmp/x.html" },
        { "file://server/share/x.html", std::nullopt },
        { "file://", std::nullopt },
        { "file:///tmp/a%2Fb", std::nullopt },
    };
    for (const auto& [address, path] : cases)
        EXPECT_EQ(UrlText::FilePathOf(address), path) << address;
}

TEST(ReferenceCutter, BlanksTabsAndLineEndsAroundAValueAreLeftOut)
{
    const std::pair<const char*, std::optional<std::string_view>> cases[] = {
        { "<a href=\" page.html \">", "page.html" },
        { "<a href=\"\tpage.html\t\">", "page.html" },
        { "<a href='page.html\r\n'>", "page.html" },
        { "<a href=\"a b.html \">", "a b.html" },
        { "<a href=\"  \">", std::nullopt },
        { "<a href=\" \t \">", std::nullopt },
        { "<a href=page.html\t>", "page.html" },
    };
    for (auto [tag, value] : cases)
        EXPECT_EQ(CutReference(tag, "HREF"), value) << tag;
}

TEST(ResolvedReference, ValuesAreReadAsABrowserReadsThem)
{
    struct Case {
        const char* value;
        const char* folder;
        Kind kind;
        const char* display;
        std::optional<std::string> path;
        bool samePage;
        const char* fragment;
    };
    const Case cases[] = {
        { "#", "sub/", Kind::Local, "sub/p.html", "sub/p.html", true, "" },
        { "", "sub/", Kind::Local, "sub/p.html", "sub/p.html", true, "" },
        { "#top", "sub/", Kind::Local, "sub/p.html#top", "sub/p.html", true, "top" },
        { "./#top", "sub/", Kind::Local, "sub/p.html#top", "sub/p.html", true, "top" },
        { "a.html#", "sub/", Kind::Local, "sub/a.html", "sub/a.html", false, "" },
        { "a.html#x%20y", "", Kind::Local, "a.html#x%20y", "a.html", false, "x%20y" },
        { "/license.html", "whatsnew/", Kind::Local, "license.html", "license.html", false, "" },
        { "/", "sub/", Kind::Local, "/", "", false, "" },
        { "\\img\\a.gif", "sub/", Kind::Local, "img\\a.gif", "img\\a.gif", false, "" },
        { "//host/path", "sub/", Kind::Address, "http://host/path", std::nullopt, false, "" },
        { "HTTP://host/", "sub/", Kind::Address, "HTTP://host/", std::nullopt, false, "" },
        { "javascript:void(0)", "sub/", Kind::Address, "javascript:void(0)", std::nullopt, false, "" },
        { "file:///tmp/a%20b.html", "sub/", Kind::FileUrl, "file:///tmp/a%20b.html", "/tmp/a b.html", false,
            "" },
        { "C:\\x.html", "", Kind::Local, "C:\\x.html", "C:\\x.html", false, "" },
        { "(http://host/x.html", "sub/", Kind::Local, "sub/(http://host/x.html", "sub/(http://host/x.html",
            false, "" },
        { "operator%5E.html", "sub/", Kind::Local, "sub/operator%5E.html", "sub/operator^.html", false, "" },
        { "a%2Fb.html", "sub/", Kind::Local, "sub/a%2Fb.html", std::nullopt, false, "" },
        { "./a/./b.html", "", Kind::Local, "a/./b.html", "a/b.html", false, "" },
        { "../c.html", "", Kind::Local, "../c.html", "c.html", false, "" },
    };
    for (const Case& c : cases) {
        ResolvedReference r = ResolvedReference::Resolve(c.value, c.folder, "sub/p.html", Link, Decoded);
        EXPECT_EQ(r.kind, c.kind) << c.value;
        EXPECT_EQ(r.display, c.display) << c.value;
        EXPECT_EQ(r.path, c.path) << c.value;
        EXPECT_EQ(r.samePage, c.samePage) << c.value;
        EXPECT_EQ(r.fragment, c.fragment) << c.value;
    }
}

TEST(ResolvedReference, OnlyLinksDropALeadingParentAndOnlyLocalRunsDecode)
{
    ResolvedReference image = ResolvedReference::Resolve("../c%20d.gif", "", "p.html", Image, Decoded);
    EXPECT_EQ(image.target, "../c%20d.gif");
    EXPECT_EQ(image.path, "../c d.gif");
    ResolvedReference online = ResolvedReference::Resolve(
        "x%20y.html", "sub/", "sub/p.html", Link, ResolvedReference::Decoding::AsWritten);
    EXPECT_EQ(online.path, "sub/x%20y.html");
}

TEST(ResolvedReference, SpellingsOfOneTargetShareTheirSeenKey)
{
    auto key = [](const char* value, const char* folder) {
        return ResolvedReference::Resolve(value, folder, "sub/p.html", Link, Decoded).SeenKey();
    };
    EXPECT_EQ(key("x%20y.html", ""), key("x y.html", ""));
    EXPECT_EQ(key("/sub/a.html", "sub/"), key("sub/a.html", ""));
    EXPECT_EQ(key("#", "sub/"), key("?page=2", "sub/"));
    EXPECT_EQ(key("a.html#", ""), key("a.html", ""));
    EXPECT_NE(key("a.html#x", ""), key("a.html#X", ""));
    EXPECT_NE(key("A.html", ""), key("a.html", ""));
}

TEST(AnchorIndex, AFragmentNamesAnIdOrTheNameOfALinkOrAnImageMap)
{
    AnchorIndex::Anchors anchors
        = AnchorIndex::AnchorsOf("<meta name=description><input name=q><A NAME=top></a>"
                                 "<map name=Nav></map><div id=Part-1><p Id=x><a name=top><p id=x>"
                                 // Names straight after a quoted value, a stray "=" and a tab.
                                 "<p title=\"t\"id=q2><p =id=q4><a href=x\tNAME=q5><img width=1 hidden>");
    EXPECT_EQ(anchors, (AnchorIndex::Anchors { "top", "Nav", "Part-1", "x", "q2", "q4", "q5" }));
    EXPECT_EQ(anchors.Count(), 7u) << "each anchor once";
    // A page of many anchors, defined out of order, for look-ups across the whole set.
    std::string many;
    for (int i = 0; i < 60; ++i)
        many += "<h2 id=s" + std::to_string(i * 37 % 60) + ">";
    AnchorIndex::Anchors sections = AnchorIndex::AnchorsOf(many);
    for (const char* fragment : { "s0", "s1", "s10", "s29", "s30", "s59" })
        EXPECT_EQ(AnchorIndex::Find(sections, fragment), AnchorIndex::Match::Exact) << fragment;
    EXPECT_EQ(AnchorIndex::Find(sections, "S42"), AnchorIndex::Match::OtherCase);
    for (const char* fragment : { "s", "s60", "s00", "r9", "t0" })
        EXPECT_EQ(AnchorIndex::Find(sections, fragment), AnchorIndex::Match::None) << fragment;
    const std::pair<const char*, AnchorIndex::Match> cases[] = {
        { "top", AnchorIndex::Match::Exact },
        { "TOP", AnchorIndex::Match::OtherCase },
        { "part-1", AnchorIndex::Match::OtherCase },
        { "description", AnchorIndex::Match::None },
        { "q", AnchorIndex::Match::None },
        { "", AnchorIndex::Match::None },
    };
    for (auto [fragment, match] : cases)
        EXPECT_EQ(AnchorIndex::Find(anchors, fragment), match) << fragment;
}

TEST(LocalCheck, AFileAddressIsFoundOnDiskWithoutALetterCaseTestAndNeverFollowed)
{
    TempSite site({ { "index.html", "" }, { "pic.gif", "" },
        { "other/page.html", "<html><a href=gone.html></html>" } });
    std::string page = "file://" + site.Root() + "/other/Page.html";
    site.Write("index.html",
        "<html><body><a href=\"" + page + "\"><img src=\"file://" + site.Root()
            + "/pic.gif\"><a href=\"file:///nonexistent-tarvik/x.html\"></html>");
    SiteRun run;
    run.Run(site.Root(), TraceOptions(), { "index.html" });
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        (std::vector<std::string> {
            page + "|OK|index.html|white", "file:///nonexistent-tarvik/x.html|NOT FOUND|index.html|red" }));
    EXPECT_EQ(SiteRun::ResultOf(run.models.ImgGrid, "file://" + site.Root() + "/pic.gif"), "OK");
    EXPECT_EQ(run.outcome.pagesAnalysed, 1u);
}
