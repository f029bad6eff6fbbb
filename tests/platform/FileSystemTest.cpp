#include "platform/FileSystem.h"

#include "support/TempSite.h"

#include <gtest/gtest.h>

using Kind = FileSystem::Kind;

TEST(FileSystem, FindsNamesIgnoringCaseAndReportsTheDifference)
{
    TempSite site({ { "img/Logo.gif", "GIF" }, { "index.html", "<html></html>" } });
    FileSystem fs(site.Root());

    auto exact = fs.Locate("img/Logo.gif", Kind::File);
    EXPECT_TRUE(exact.exists);
    EXPECT_TRUE(exact.exactCase);

    auto wrongName = fs.Locate("img/logo.GIF", Kind::File);
    EXPECT_TRUE(wrongName.exists);
    EXPECT_FALSE(wrongName.exactCase);
    EXPECT_EQ(wrongName.realPath, site.Root() + "/img/Logo.gif");

    auto wrongFolder = fs.Locate("IMG/Logo.gif", Kind::File);
    EXPECT_TRUE(wrongFolder.exists);
    EXPECT_FALSE(wrongFolder.exactCase);
}

TEST(FileSystem, TheCallersFolderIsMatchedButNotJudged)
{
    TempSite site({ { "sub/page.html", "x" }, { "img/a.gif", "GIF" } });
    FileSystem fs(site.Root());

    EXPECT_TRUE(fs.Locate("SUB/", "page.html", Kind::File).exactCase);
    EXPECT_FALSE(fs.Locate("sub/", "PAGE.html", Kind::File).exactCase);
    auto climbed = fs.Locate("SUB/", "../img/a.gif", Kind::File);
    EXPECT_TRUE(climbed.exists);
    EXPECT_TRUE(climbed.exactCase);
    EXPECT_FALSE(fs.Locate("sub/", "../IMG/a.gif", Kind::File).exactCase);
}

TEST(FileSystem, ResolvesDotsBackslashesAndRefusesFoldersAsFiles)
{
    TempSite site({ { "a/b.html", "x" }, { "c.html", "y" } });
    FileSystem fs(site.Root());

    EXPECT_TRUE(fs.Locate("a\\b.html", Kind::File).exists);
    EXPECT_TRUE(fs.Locate("a/./b.html", Kind::File).exists);
    EXPECT_TRUE(fs.Locate("a/missing/../../c.html", Kind::File).exists);
    EXPECT_FALSE(fs.Locate("a", Kind::File).exists);
    EXPECT_FALSE(fs.Locate("a/", Kind::File).exists);
    EXPECT_FALSE(fs.Locate("c.html/", Kind::File).exists);
    EXPECT_TRUE(fs.Locate("A", Kind::Folder).exists);
    EXPECT_FALSE(fs.Locate("", Kind::File).exists);
}

TEST(FileSystem, PathsPastTheLimitAreNotFound)
{
    std::string name(250, 'n');
    TempSite site({ { "d/" + name, "x" } });
    FileSystem fs(site.Root());
    EXPECT_TRUE(fs.Locate("d/" + name, Kind::File).exists);
    EXPECT_FALSE(fs.Locate("d/./././././" + name, Kind::File).exists);
}

TEST(FileSystem, ReadsThroughCaseInsensitiveNamesAndTellsMissingFromUnreadable)
{
    TempSite site({ { "Page.html", std::string("a\0b", 3) }, { "folder.html/x", "" } });
    FileSystem fs(site.Root());
    std::string text;
    EXPECT_EQ(fs.ReadFile("page.HTML", text).status, FileRead::Status::Ok);
    EXPECT_EQ(text, std::string("a\0b", 3));
    EXPECT_EQ(fs.ReadFile("none.html", text).status, FileRead::Status::Missing);
    EXPECT_EQ(fs.ReadFile("folder.html", text).status, FileRead::Status::Missing);
}

TEST(FileSystem, ListsTheFilesOfAFolderButNotItsFolders)
{
    TempSite site({ { "b.gif", "" }, { "a.html", "" }, { ".hidden", "" }, { "sub/x.gif", "" } });
    FileSystem fs(site.Root());
    EXPECT_EQ(fs.FileNames(""), (std::vector<std::string> { ".hidden", "a.html", "b.gif" }));
    EXPECT_EQ(fs.FileNames("SUB"), (std::vector<std::string> { "x.gif" }));
    EXPECT_TRUE(fs.FileNames("none").empty());
}

TEST(FileSystem, AFolderListedOnceAnswersEveryLetterCaseAsTheDiskDoes)
{
    // Names that differ only in letter case are all stored; a spelling that matches none
    // of them exactly is answered with the first in byte order. Filler names make the
    // folder's table probe past collisions.
    TempSite site({ { "Page.html", "" }, { "page.html", "" }, { "PAGE.html", "" }, { "Sub/a.gif", "" },
        { "sub2/b.gif", "" }, { "f00", "" }, { "f01", "" }, { "f02", "" }, { "f03", "" }, { "f04", "" },
        { "f05", "" }, { "f06", "" }, { "f07", "" }, { "f08", "" }, { "f09", "" } });
    FileSystem fs(site.Root());
    struct Case {
        const char* path;
        Kind kind;
        bool exists;
        bool exactCase;
        const char* stored; // from the root; empty when not found
    };
    const Case cases[] = {
        { "Page.html", Kind::File, true, true, "Page.html" },
        { "page.html", Kind::File, true, true, "page.html" },
        { "PAGE.html", Kind::File, true, true, "PAGE.html" },
        { "pAge.html", Kind::File, true, false, "PAGE.html" },
        { "PAGE.HTML", Kind::File, true, false, "PAGE.html" },
        { "page.htm", Kind::File, false, true, "" },
        { "page.html/", Kind::File, false, true, "" },
        { "sub/A.GIF", Kind::File, true, false, "Sub/a.gif" },
        { "Sub/a.gif", Kind::File, true, true, "Sub/a.gif" },
        { "SUB", Kind::Folder, true, false, "Sub" },
        { "sub2/../SUB/a.gif", Kind::File, true, false, "Sub/a.gif" },
        { "sub3/b.gif", Kind::File, false, true, "" },
        { "F09", Kind::File, true, false, "f09" },
        { "f10", Kind::File, false, true, "" },
    };
    // Asked twice: the second answers come from the listing the first ones read.
    for (int round = 0; round < 2; ++round) {
        for (const Case& c : cases) {
            FileSystem::Found found = fs.Locate(c.path, c.kind);
            EXPECT_EQ(found.exists, c.exists) << c.path;
            if (!c.exists)
                continue;
            EXPECT_EQ(found.exactCase, c.exactCase) << c.path;
            EXPECT_EQ(found.realPath, site.Root() + "/" + c.stored) << c.path;
        }
    }
    EXPECT_FALSE(fs.Locate("missing-folder/x", Kind::File).exists);
}

TEST(FileSystem, EveryWayToAFileGivesItsNumberAndOtherFilesOthers)
{
    TempSite site({ { "sub/page.html", "x" }, { "sub/Page.HTML", "y" }, { "img/a.gif", "GIF" } });
    FileSystem fs(site.Root());
    const std::uint32_t page = fs.Locate("sub/page.html", Kind::File).file;
    const std::uint32_t a = fs.Locate("img/a.gif", Kind::File).file;
    ASSERT_NE(page, FileSystem::NoFile);
    ASSERT_NE(a, FileSystem::NoFile);
    EXPECT_NE(page, a);

    struct Case {
        const char* prefix;
        const char* rest;
        std::uint32_t file;
    } cases[] = {
        { "", "./sub/page.html", page },
        { "sub/", "page.html", page },
        { "img/", "../sub/page.html", page },
        { "", "missing/../sub/page.html", page },
        { "IMG/", "A.GIF", a },
        { "sub/", "../img/a.gif", a },
        { "", "sub/nothing.html", FileSystem::NoFile },
    };
    for (const Case& c : cases)
        EXPECT_EQ(fs.Locate(c.prefix, c.rest, Kind::File).file, c.file) << c.prefix << c.rest;
    // A name equal but for letter case is another file.
    EXPECT_NE(fs.Locate("sub/Page.HTML", Kind::File).file, page);
    EXPECT_EQ(fs.Locate("sub", Kind::Folder).file, FileSystem::NoFile);
}
