#include "platform/RegularFile.h"
#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using Texts = std::vector<std::string>;

namespace {

/// A site whose pages are special files: a FIFO, a link to an endless device, a page
/// past the size limit, a folder named like a page, and a link to itself; "dev" leads to
/// the system's devices.
void AddSpecialPages(const TempSite& site)
{
    ::mkfifo((site.Root() + "/fifo.html").c_str(), 0600);
    ::symlink("/dev/zero", (site.Root() + "/zero.html").c_str());
    site.Write("big.html", "");
    ::truncate((site.Root() + "/big.html").c_str(), off_t(PageSizeLimit + 1));
    site.Write("folder.html/x", "");
    ::symlink("loop.html", (site.Root() + "/loop.html").c_str());
    ::symlink("/dev", (site.Root() + "/dev").c_str());
}

}

TEST(SpecialFiles, APageThatIsNoRegularFileIsReportedWithWhyAndNotAnalysed)
{
    const std::pair<std::string, std::string> cases[] = {
        { "fifo.html", "fifo.html|FAILED: Not a regular file||red" },
        { "zero.html", "zero.html|FAILED: Not a regular file||red" },
        { "big.html", "big.html|FAILED: File too large||red" },
        { "folder.html", "folder.html|FAILED: File not found||red" },
        { "loop.html", "loop.html|FAILED: Too many levels of symbolic links||red" },
    };
    TempSite site;
    AddSpecialPages(site);
    for (const auto& [page, row] : cases) {
        SiteRun run;
        run.Run(site.Root(), {}, { page });
        EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid), Texts { row }) << page;
        EXPECT_EQ(run.outcome.notAnalysed, Texts { page });
    }
}

TEST(SpecialFiles, LinksToSpecialFilesNeitherHangNorReadThemWhenTracedOrAnchored)
{
    TempSite site({ { "index.html",
        "<html><body><a href=\"dev/zero#x\"><a href=\"dev/stdin#x\"><a href=\"fifo.html#x\">"
        "<a href=\"zero.html\"><a href=\"fifo.html\"><a href=\"big.html\"></body></html>" } });
    AddSpecialPages(site);
    SiteRun run;
    run.Run(site.Root(), TraceOptions(), { "index.html" });
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        (Texts { "dev/zero#x|NOT FOUND|index.html|red", "dev/stdin#x|NOT FOUND|index.html|red",
            "fifo.html#x|NOT FOUND|index.html|red", "zero.html|OK|index.html|white",
            "fifo.html|OK|index.html|white", "big.html|OK|index.html|white",
            "fifo.html|FAILED: Not a regular file||red", "zero.html|FAILED: Not a regular file||red",
            "big.html|FAILED: File too large||red" }));
    EXPECT_EQ(run.outcome.notAnalysed, (Texts { "fifo.html", "zero.html", "big.html" }));
}
