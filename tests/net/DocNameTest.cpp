#include "net/DocName.h"

#include <gtest/gtest.h>
#include <string>

TEST(DocName, IsTheLastNameOfThePathBeforeAnyQuery)
{
    const std::pair<std::string, std::string> cases[] = {
        { "", "document.htm" },
        { "/", "document.htm" },
        { "/dir/", "dir" },
        { "/dir/page.asp?x=1", "page.asp" },
        { "/dir/page.asp?x=a/b", "page.asp" },
        { "/a/b/index.html", "index.html" },
        { "?x=1", "document.htm" },
    };
    for (const auto& [path, name] : cases)
        EXPECT_EQ(DocNameOf(path), name) << path;
}

TEST(DocName, IsNeverAPathOrAFolderReference)
{
    const std::string cases[] = { "/..", "/../", "/.", "/dir/..", "/a\\..", "/a/..\\..\\etc\\passwd", "/x//",
        std::string("/a\0b", 4) };
    for (const auto& path : cases) {
        const std::string name = DocNameOf(path);
        EXPECT_NE(name, "..") << path;
        EXPECT_NE(name, ".") << path;
        EXPECT_EQ(name.find_first_of(std::string("/\\\0", 3)), std::string::npos) << path;
        EXPECT_FALSE(name.empty()) << path;
    }
    EXPECT_EQ(DocNameOf("/a/..\\..\\etc\\passwd"), "passwd");
    EXPECT_EQ(DocNameOf("/" + std::string(300, 'n')).size(), 255u);
}

TEST(DocName, AnExeThatIsAnHtmlPageBecomesHtm)
{
    EXPECT_EQ(DocNameForType("run.exe", "text/html"), "run.htm");
    EXPECT_EQ(DocNameForType("RUN.EXE", "text/html"), "RUN.htm");
    EXPECT_EQ(DocNameForType("run.exe", "application/octet-stream"), "run.exe");
    EXPECT_EQ(DocNameForType("run.exe.txt", "text/html"), "run.exe.txt");
}
