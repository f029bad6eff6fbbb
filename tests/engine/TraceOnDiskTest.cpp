#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Strings = std::vector<std::string>;
using Pairs = std::vector<std::pair<std::string, std::string>>;

const std::string Html = "<html><body>";

/// A site of `files` (path, content) and `symlinks` (path, target as the link holds it).
std::unique_ptr<TempSite> MakeSite(const Pairs& files, const Pairs& symlinks)
{
    auto site = std::make_unique<TempSite>();
    for (const auto& [path, content] : files)
        site->Write(path, content);
    for (const auto& [path, target] : symlinks)
        std::filesystem::create_symlink(target, site->Root() + "/" + path);
    return site;
}

struct TraceCase {
    const char* behaviour;
    Pairs files;
    Pairs symlinks;
    /// The run's folder inside the site.
    std::string folder;
    Strings selected;
    Strings analysed;
    /// Red rows of the link grid, "reference|result".
    Strings failed;
};

struct UnusedCase {
    const char* behaviour;
    Pairs files;
    Pairs symlinks;
    Strings selected;
    Strings unused;
};

Strings FailedLinks(const SiteRun& run)
{
    Strings failed;
    for (const std::string& row : SiteRun::Rows(run.models.LinkGrid))
        if (row.ends_with("|red"))
            failed.push_back(row.substr(0, row.find('|', row.find('|') + 1)));
    return failed;
}

RunOptions UnusedOptions()
{
    RunOptions options = TraceOptions();
    options.ReportUnused = true;
    return options;
}

}

TEST(SiteTrace, APageIsAnalysedOnceUnderItsNameOnDisk)
{
    const TraceCase cases[] = {
        { "two symbolic links to the folder itself",
            { { "index.html", Html + "<a href=a/index.html><a href=p.html><a href=a/b/a/p.html></html>" },
                { "p.html", Html + "<a href=b/a/b/p.html><a href=a/b/index.html></html>" } },
            { { "a", "." }, { "b", "." } }, "", { "index.html" }, { "index.html", "p.html" }, {} },
        { "a symbolic link to a page",
            { { "index.html", Html + "<a href=alias.html><a href=page.html></html>" },
                { "page.html", Html } },
            { { "alias.html", "page.html" } }, "", { "index.html" }, { "index.html", "alias.html" }, {} },
        { "a page first reached through a miscased link",
            { { "index.html", Html + "<a href=Sub/Page.html><a href=sub/page.html></html>" },
                { "sub/page.html", Html + "<a href=#missing></html>" } },
            {}, "", { "index.html" }, { "index.html", "sub/page.html" },
            { "Sub/Page.html|OK but CASE MISMATCH", "sub/page.html#missing|NOT FOUND" } },
        { "a selected file written with \"./\"",
            { { "index.html", Html + "<a href=index.html><a href=a.html></html>" },
                { "a.html", Html + "<a href=./index.html></html>" } },
            {}, "", { "./index.html" }, { "index.html", "a.html" }, {} },
        { "a selected file in another letter case", { { "index.html", Html + "<a href=index.html></html>" } },
            {}, "", { "INDEX.HTML" }, { "index.html" }, {} },
        { "a page above the run's folder",
            { { "run/index.html", Html + "<a href=sub/a.html></html>" },
                { "run/sub/a.html", Html + "<a href=../../Other/P.html><a href=../../other/p.html></html>" },
                { "other/p.html", Html } },
            {}, "run", { "index.html" }, { "index.html", "sub/a.html", "../other/p.html" },
            { "sub/../../Other/P.html|OK but CASE MISMATCH" } },
    };
    for (const TraceCase& c : cases) {
        auto site = MakeSite(c.files, c.symlinks);
        SiteRun run;
        run.Run(site->Root() + (c.folder.empty() ? "" : "/" + c.folder), TraceOptions(), c.selected);
        EXPECT_EQ(run.AnalysedPages(), c.analysed) << c.behaviour;
        EXPECT_EQ(FailedLinks(run), c.failed) << c.behaviour;
    }
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
        auto site = MakeSite(c.files, c.symlinks);
        SiteRun run;
        run.Run(site->Root(), UnusedOptions(), c.selected);
        EXPECT_EQ(run.outcome.unused, c.unused) << c.behaviour;
    }
}
