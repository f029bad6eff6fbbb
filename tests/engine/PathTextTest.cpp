#include "engine/PathText.h"

#include <gtest/gtest.h>

TEST(PathText, RemoveDotSegmentsDropsDotSlashButLeavesParentSegments)
{
    const std::pair<const char*, const char*> cases[] = {
        { "", "" },
        { "./a.html", "a.html" },
        { "a/./b.html", "a/b.html" },
        { "a/././b.html", "a/b.html" },
        { "a/../b.html", "a/../b.html" },
        { "../a/./b.html", "../a/./b.html" },
        { "a/./../b.html", "a/../b.html" },
    };
    for (auto [in, out] : cases)
        EXPECT_EQ(PathText::RemoveDotSegments(in), out) << in;
}

TEST(PathText, NormalizeResolvesDotsByNameAndCountsTheNamesLeft)
{
    struct Case {
        const char* in;
        const char* out;
        std::size_t names;
    };
    const Case cases[] = {
        { "a/b/../../c/x.html", "c/x.html", 2 },
        { "a\\.\\b.gif", "a/b.gif", 2 },
        { "../x.html", "../x.html", 2 },
        { "a/../../x.html", "../x.html", 2 },
        { "../../a/b/../", "../../a", 3 },
        { "sub/", "sub", 1 },
        { "/", "/", 0 },
        { "", "", 0 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PathText::Normalize(c.in), c.out) << c.in;
        EXPECT_EQ(PathText::NormalizedNameCount(c.in), c.names) << c.in;
    }
}

TEST(PathText, FolderAndExtension)
{
    EXPECT_EQ(PathText::FolderOf("sub/dir/page.html"), "sub/dir/");
    EXPECT_EQ(PathText::FolderOf("sub\\page.html"), "sub\\");
    EXPECT_EQ(PathText::FolderOf("/page.html"), "");
    EXPECT_EQ(PathText::FolderOf("page.html"), "");
    EXPECT_EQ(PathText::ExtensionOf("a/b.JS"), ".JS");
    EXPECT_EQ(PathText::ExtensionOf("a.dir/readme"), "");
    EXPECT_EQ(PathText::ExtensionOf("x."), ".");
}
