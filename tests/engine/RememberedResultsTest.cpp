#include "engine/RememberedResults.h"
#include "support/ConcurrentServer.h"
#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

using Texts = std::vector<std::string>;

namespace {

const std::string Heading = "tarvik remembered results 1\n";

RunOptions Remembering(const std::string& file, int jobs, long long maxAge = 24 * 60 * 60)
{
    DialogChoices choices;
    choices.external = ExternalChoice::LinksOnly;
    RunOptions options = MakeRunOptions(choices, {});
    options.Probes.jobs = jobs;
    options.Probes.rememberFile = file;
    options.Probes.maxAge = maxAge;
    return options;
}

std::string Links(const Texts& addresses)
{
    std::string html = "<html><body>";
    for (const std::string& address : addresses)
        html += "<a href=\"" + address + "\">x</a>";
    return html + "</body></html>";
}

std::string Cell(const ResultGrid& grid, const std::string& ref, int column)
{
    for (std::size_t r = 1; r < grid.RowCount(); ++r)
        if (grid.Row(r).cells[0] == ref)
            return std::string(grid.Row(r).cells[column]);
    return "(no row)";
}

ConcurrentServer::Reply OkOrMissing(const std::string&, const std::string& path)
{
    return path == "/ok" ? ConcurrentServer::Ok()
                         : ConcurrentServer::Reply { {}, "HTTP/1.0 404 Not Found\r\n\r\n" };
}

}

TEST(RememberedResults, MaxAgesAndFilesAreReadOnlyWhenWellFormed)
{
    const std::pair<std::string, std::optional<long long>> ages[] = { { "90s", 90 }, { "30m", 1800 },
        { "12h", 43200 }, { "1d", 86400 }, { "0s", 0 }, { "1", std::nullopt }, { "d", std::nullopt },
        { "1w", std::nullopt }, { "-1d", std::nullopt }, { "1.5h", std::nullopt } };
    for (const auto& [text, seconds] : ages) {
        std::optional<std::chrono::seconds> age = ParseMaxAge(text);
        EXPECT_EQ(age ? std::optional<long long>(age->count()) : std::nullopt, seconds) << text;
    }
    const std::pair<std::string, bool> files[]
        = { { Heading, true }, { Heading + "5\t200\tOK\thttp://a/\n", true }, { "", false },
              { "<html>\n", false }, { Heading + "5\t200\tOK\n", false },
              { Heading + "x\t200\tOK\thttp://a/\n", false }, { Heading + "5\t200\tOK\t\n", false } };
    for (const auto& [text, read] : files)
        EXPECT_EQ(RememberedResults().Read(text), read) << text;
}

TEST(RememberedResults, AFreshOkIsTakenFromTheFileAndFailuresAreAskedAgain)
{
    struct Case {
        int jobs;
        long long maxAge;
        std::string okSecs;
        std::size_t asked; // by the second run
    };
    for (const Case& c :
        { Case { 1, 3600, "0.0", 1 }, Case { 8, 3600, "0.0", 1 }, Case { 8, 0, "<0.1", 2 } }) {
        SCOPED_TRACE("jobs " + std::to_string(c.jobs) + ", max age " + std::to_string(c.maxAge));
        TempSite files;
        const std::string file = files.Root() + "/remembered.txt";
        ConcurrentServer server(OkOrMissing);
        TempSite site({ { "index.html", Links({ server.Url("/ok"), server.Url("/gone") }) } });
        SiteRun first;
        first.Run(site.Root(), Remembering(file, c.jobs), { "index.html" });
        ASSERT_EQ(server.Paths().size(), 2u);

        SiteRun second;
        second.Run(site.Root(), Remembering(file, c.jobs, c.maxAge), { "index.html" });

        EXPECT_EQ(Cell(second.models.LinkGrid, server.Url("/ok"), 1), "OK");
        EXPECT_EQ(Cell(second.models.LinkGrid, server.Url("/ok"), 3), c.okSecs);
        EXPECT_EQ(Cell(second.models.LinkGrid, server.Url("/gone"), 1), "FAILED: Page not found (404)");
        EXPECT_EQ(server.Paths().size() - 2, c.asked);
        EXPECT_TRUE(second.host.messages.empty());
    }
}

TEST(RememberedResults, ADamagedFileIsSaidOnceAndReplacedAndRunsAddToTheFile)
{
    ConcurrentServer server(OkOrMissing);
    TempSite files({ { "remembered.txt", "not ours\n" } });
    const std::string file = files.Root() + "/remembered.txt";
    TempSite first({ { "index.html", Links({ server.Url("/ok") }) } });
    TempSite second({ { "index.html", Links({ server.Url("/gone") }) } });

    SiteRun damaged;
    damaged.Run(first.Root(), Remembering(file, 8), { "index.html" });
    EXPECT_EQ(damaged.host.messages,
        Texts { "'" + file
            + "' does not hold remembered results: it is not used, and is replaced at the end of the run." });
    SiteRun after;
    after.Run(second.Root(), Remembering(file, 8), { "index.html" });

    RememberedResults kept;
    ASSERT_TRUE(kept.Read(files.Read("remembered.txt")));
    EXPECT_TRUE(kept.FreshOk(server.Url("/ok"), std::time(nullptr), std::chrono::hours(1)));
    EXPECT_NE(files.Read("remembered.txt").find("\t404\tPage not found\t" + server.Url("/gone") + "\n"),
        std::string::npos);
    EXPECT_TRUE(after.host.messages.empty());
}
