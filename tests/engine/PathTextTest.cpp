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

TEST(PathText, NormalizeResolvesDotsByName)
{
    EXPECT_EQ(PathText::Normalize("a/b/../../c/x.html"), "c/x.html");
    EXPECT_EQ(PathText::Normalize("a\\.\\b.gif"), "a/b.gif");
    EXPECT_EQ(PathText::Normalize("../x.html"), "../x.html");
    EXPECT_EQ(PathText::Normalize("a/../../x.html"), "../x.html");
    EXPECT_EQ(PathText::Normalize("sub/"), "sub");
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
