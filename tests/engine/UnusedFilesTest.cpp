#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Strings = std::vector<std::string>;
using Pairs = std::vector<std::pair<std::string, std::string>>;

const std::string Html = "<html><body>";

struct UnusedCase {
    const char* behaviour;
    Pairs files;
    /// Symbolic link to its target, as written in the link.
    Pairs symlinks;
    Strings selected;
    Strings unused;
};

}

TEST(SiteTrace, UnusedFilesAreTheFilesUnderTheFolderThatNoReferenceFinds)
{
    const UnusedCase cases[] = {
        { "files of folders that hold no page",
            { { "index.html", Html + "<img src=img/a.gif></html>" }, { "img/a.gif", "" }, { "img/b.gif", "" },
                { "deep/er/x.txt", "" }, { ".hidden", "" } },
            {}, { "index.html" }, { ".hidden", "deep/er/x.txt", "img/b.gif" } },
        { "the selected files and the starting file",
            { { "index.html", Html }, { "a.html", Html }, { "b.html", Html }, { "c.html", Html } }, {},
            { "a.html", "./b.html" }, { "c.html", "index.html" } },
        { "the starting file when nothing is selected", { { "index.html", Html }, { "c.html", Html } }, {},
            {}, { "c.html" } },
        { "a reference in the wrong letter case",
            { { "index.html", Html + "<img src=IMG/A.gif><a href=Page.HTML></html>" }, { "img/a.gif", "" },
                { "page.html", Html } },
            {}, { "index.html" }, {} },
        { "a page whose anchor is missing",
            { { "index.html", Html + "<a href=p.html#nowhere></html>" }, { "p.html", Html } }, {},
            { "index.html" }, {} },
        { "a file found through a symbolic link",
            { { "index.html", Html + "<img src=alias/a.gif><img src=pic.gif></html>" }, { "img/a.gif", "" },
                { "img/b.gif", "" }, { "real.gif", "" } },
            { { "alias", "img" }, { "pic.gif", "real.gif" } }, { "index.html" }, { "img/b.gif" } },
        { "loops, links to nowhere and links out of the folder", { { "index.html", Html } },
            { { "a", "." }, { "b", "." }, { "dead.gif", "nowhere.gif" }, { "out", "/" } }, { "index.html" },
            { "dead.gif" } },
    };
    for (const UnusedCase& c : cases) {
        TempSite site;
        for (const auto& [path, content] : c.files)
            site.Write(path, content);
        for (const auto& [path, target] : c.symlinks)
            std::filesystem::create_symlink(target, site.Root() + "/" + path);
        RunOptions options = TraceOptions();
        options.ReportUnused = true;
        SiteRun run;
        run.Run(site.Root(), options, c.selected);
        EXPECT_EQ(run.outcome.unused, c.unused) << c.behaviour;
    }
}

TEST(SiteTrace, AFileThatIsNoRegularFileIsNeverUnused)
{
    TempSite site({ { "index.html", Html } });
    ASSERT_EQ(::mkfifo((site.Root() + "/pipe.html").c_str(), 0600), 0);
    RunOptions options = TraceOptions();
    options.ReportUnused = true;
    SiteRun run;
    run.Run(site.Root(), options, { "index.html" });
    EXPECT_EQ(run.outcome.unused, Strings {});
}
