#include "engine/AnchorIndex.h"
#include "engine/ReferenceCutter.h"
#include "engine/TagWalker.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Tags(std::string_view text)
{
    std::vector<std::string> tags;
    TagWalker walker(text);
    std::string_view tag;
    while (walker.Next(tag))
        tags.emplace_back(tag);
    return tags;
}

using Strings = std::vector<std::string>;

}

TEST(TagWalker, WalksTagsAndSkipsCommentsWhole)
{
    EXPECT_EQ(Tags("<a href=x>t</a>"), (Strings { "<a href=x>", "</a>" }));
    EXPECT_EQ(Tags("<!-- <img src=a.gif> --><b>"), (Strings { "<b>" }));
    // "<!-" with a single hyphen still opens a comment up to the next "-->".
    EXPECT_EQ(Tags("<!- <img src=a.gif> --><i>"), (Strings { "<i>" }));
    EXPECT_EQ(Tags("<!DOCTYPE html><p>"), (Strings { "<!DOCTYPE html>", "<p>" }));
}

TEST(TagWalker, AnUnterminatedCommentOrTagEndsTheWalk)
{
    EXPECT_EQ(Tags("<b><!-- <img src=a.gif>"), (Strings { "<b>" }));
    EXPECT_EQ(Tags("<b><img src=a.gif"), (Strings { "<b>" }));
    EXPECT_EQ(Tags("no markup"), Strings {});
    EXPECT_EQ(Tags("<"), Strings {});
    EXPECT_EQ(Tags("<!-"), Strings {});
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

struct CutCase {
    const char* tag;
    const char* attribute;
    const char* expected; // nullptr: no reference
};

TEST(ReferenceCutter, CutsTheValueOfAWholeAttributeName)
{
    const CutCase cases[] = {
        { "<img src=a.gif>", "SRC", "a.gif" },
        { "<IMG SRC=\"Pics/A.GIF\" alt=x>", "SRC", "Pics/A.GIF" },
        { "<img src = 'a b.gif'>", "SRC", "a b.gif" },
        { "<img alt=\"x\"src=\"y.gif\">", "SRC", "y.gif" },
        { "<img src=a.gif alt=x>", "SRC", "a.gif" },
        { "<img src=\"a.gif>", "SRC", "a.gif" },
        { "<img src=\"\">", "SRC", nullptr },
        { "<img src=''>", "SRC", nullptr },
        { "<img src= >", "SRC", nullptr },
        { "<img src>", "SRC", nullptr },
        { "<img>", "SRC", nullptr },
        // A name inside another attribute's name or value is not that attribute.
        { "<img data-src=lazy.gif src=real.gif>", "SRC", "real.gif" },
        { "<img data-src=lazy.gif>", "SRC", nullptr },
        { "<a title=\"see HREF=wrong.html\" href=right.html>", "HREF", "right.html" },
        { "<a title='x href=wrong.html'>", "HREF", nullptr },
        { "<table background=bg.gif>", "HREF", nullptr },
        { "<table background=bg.gif>", "BACKGROUND", "bg.gif" },
        { "<a href\t=\t\"t.html\">", "HREF", "t.html" },
        { "<a href=\"a\"b.html\">", "HREF", "a" },
    };
    for (const CutCase& c : cases) {
        auto cut = CutReference(c.tag, c.attribute);
        if (c.expected)
            EXPECT_EQ(cut.value_or("(none)"), c.expected) << c.tag;
        else
            EXPECT_FALSE(cut) << c.tag << " gave " << *cut;
    }
}

TEST(ReferenceCutter, AVeryLongValueIsCutWhole)
{
    std::string value(100000, 'v');
    std::string tag = "<img src=\"" + value + ".gif\">";
    EXPECT_EQ(CutReference(tag, "SRC").value_or(""), value + ".gif");
}

TEST(AnchorIndex, AnchorsAreNameAndIdValuesNotWordsOfTheText)
{
    auto anchors = AnchorIndex::AnchorsOf("<a name=TOP></a><h2 id='Part-1'>introduction</h2>"
                                          "<a href=\"#sec\">x</a><!-- <a name=hidden> --><div Name = \"q r\">");
    EXPECT_EQ(anchors, (AnchorIndex::Anchors { "TOP", "Part-1" }));
}
