#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;
using Pairs = std::vector<std::pair<std::string, std::string>>;

const std::string Html = "<html><body>";

struct TraceCase {
    const char* behaviour;
    Pairs files;
    /// Symbolic link to its target, as written in the link.
    Pairs symlinks;
    /// The run's folder inside the site.
    std::string folder;
    Strings selected;
    Strings analysed;
    /// Red rows of the link grid, "reference|result".
    Strings failed;
};

Strings AnalysedPages(const SiteRun& run)
{
    Strings pages;
    for (const ReportLine& line : run.models.Report.Lines())
        if (line.style == ReportStyle::BoldItalic && line.colour == ReportColour::Green)
            pages.push_back(line.text);
    return pages;
}

Strings FailedLinks(const SiteRun& run)
{
    Strings failed;
    for (const std::string& row : SiteRun::Rows(run.models.LinkGrid))
        if (row.ends_with("|red"))
            failed.push_back(row.substr(0, row.find('|', row.find('|') + 1)));
    return failed;
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
        TempSite site;
        for (const auto& [path, content] : c.files)
            site.Write(path, content);
        for (const auto& [path, target] : c.symlinks)
            std::filesystem::create_symlink(target, site.Root() + "/" + path);
        SiteRun run;
        run.Run(site.Root() + (c.folder.empty() ? "" : "/" + c.folder), TraceOptions(), c.selected);
        EXPECT_EQ(AnalysedPages(run), c.analysed) << c.behaviour;
        EXPECT_EQ(FailedLinks(run), c.failed) << c.behaviour;
    }
}
