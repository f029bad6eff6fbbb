#include "support/ConcurrentServer.h"
#include "support/LoopbackServer.h"
#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;
using Texts = std::vector<std::string>;
using Reply = ConcurrentServer::Reply;

namespace {

RunOptions Probing(int jobs, int perHost)
{
    DialogChoices choices;
    choices.external = ExternalChoice::ImagesAndLinks;
    choices.recordHeaders = true;
    choices.trace = true;
    RunOptions options = MakeRunOptions(choices, {});
    options.Probes.jobs = jobs;
    options.Probes.perHost = perHost;
    return options;
}

/// Fast, slow, failing, relocating and HEAD-refusing addresses, told apart by path.
Reply Mixed(const std::string& method, const std::string& path)
{
    if (path.starts_with("/slow"))
        return ConcurrentServer::Ok(150ms);
    if (path == "/missing")
        return { {}, "HTTP/1.0 404 Not Found\r\n\r\n" };
    if (path == "/moved")
        return { 50ms, "HTTP/1.0 302 Found\r\nLocation: /fast\r\n\r\n" };
    if (path == "/nohead" && method == "HEAD")
        return { {}, "HTTP/1.0 405 Method Not Allowed\r\n\r\n" };
    if (path == "/nohead")
        return { {}, "HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\nbody" };
    return ConcurrentServer::Ok();
}

std::string Links(const std::vector<std::string>& addresses)
{
    std::string html = "<html><body>";
    for (const std::string& address : addresses)
        html += "<a href=\"" + address + "\">x</a>";
    return html;
}

std::string SecondsOf(const ResultGrid& grid, const std::string& ref)
{
    for (std::size_t r = 1; r < grid.RowCount(); ++r)
        if (grid.Row(r).cells[0] == ref)
            return std::string(grid.Row(r).cells[3]);
    return "(no row)";
}

}

TEST(ConcurrentProbes, RowsReportAndHeadersAreThoseOfOneAtATime)
{
    ConcurrentServer first(Mixed, "127.0.0.1");
    ConcurrentServer second(Mixed, "127.0.0.2");
    const std::string refused = "http://127.0.0.1:" + std::to_string(LoopbackServer::RefusedPort()) + "/";
    const Texts index { first.Url("/slow"), first.Url("/fast"), second.Url("/slow1"), first.Url("/missing"),
        refused, second.Url("/moved"), first.Url("/nohead"), first.Url("/fast#part"), second.Url("/slow2"),
        "page2.html", second.Url("/fast") };
    const Texts page2 { first.Url("/fast"), second.Url("/slow3"), first.Url("/missing"),
        second.Url("/other") };
    TempSite site({ { "index.html",
                        Links(index) + "<img src=\"" + second.Url("/slow.gif") + "\"><img src=\""
                            + first.Url("/x.gif") + "\"></body></html>" },
        { "page2.html", Links(page2) + "</body></html>" } });

    SiteRun single;
    single.Run(site.Root(), Probing(1, 1), { "index.html" });
    SiteRun ahead;
    ahead.Run(site.Root(), Probing(8, 2), { "index.html" });

    EXPECT_EQ(SiteRun::Rows(ahead.models.LinkGrid), SiteRun::Rows(single.models.LinkGrid));
    EXPECT_EQ(SiteRun::Rows(ahead.models.ImgGrid), SiteRun::Rows(single.models.ImgGrid));
    EXPECT_EQ(ahead.Report(), single.Report());
    EXPECT_EQ(ahead.outcome.receivedHeaders, single.outcome.receivedHeaders);
    EXPECT_EQ(ahead.outcome.errorCount, single.outcome.errorCount);
    EXPECT_EQ(
        SiteRun::ResultOf(ahead.models.LinkGrid, first.Url("/missing")), "FAILED: Page not found (404)");
    // Each row times its own probe, not the wait for the probes started before it.
    EXPECT_NE(SecondsOf(ahead.models.LinkGrid, second.Url("/slow1")), "<0.1");
    EXPECT_EQ(SecondsOf(ahead.models.LinkGrid, second.Url("/fast")), "<0.1");
}

TEST(ConcurrentProbes, NoHostIsAskedMoreThanItsShareAtOnce)
{
    struct Case {
        int jobs;
        int perHost;
        int most;
    };
    for (const Case& c : { Case { 8, 2, 2 }, Case { 4, 3, 3 }, Case { 2, 3, 2 }, Case { 1, 2, 1 } }) {
        SCOPED_TRACE("jobs " + std::to_string(c.jobs) + ", per host " + std::to_string(c.perHost));
        ConcurrentServer::OpenCount total;
        auto slow = [](const std::string&, const std::string&) { return ConcurrentServer::Ok(60ms); };
        ConcurrentServer hosts[]
            = { { slow, "127.0.0.1", &total }, { slow, "127.0.0.2", &total }, { slow, "127.0.0.3", &total } };
        Texts links;
        for (const ConcurrentServer& host : hosts)
            for (int i = 0; i < 6; ++i)
                links.push_back(host.Url("/" + std::to_string(i)));
        TempSite site({ { "index.html", Links(links) + "</body></html>" } });

        SiteRun run;
        run.Run(site.Root(), Probing(c.jobs, c.perHost), { "index.html" });

        const Texts rows = SiteRun::Rows(run.models.LinkGrid);
        EXPECT_EQ(std::count_if(rows.begin(), rows.end(),
                      [](const std::string& row) { return row.find("|OK|") != std::string::npos; }),
            long(links.size()));
        // The first host's links come first, so it gets its whole share at once.
        EXPECT_EQ(hosts[0].Open().most.load(), c.most);
        for (const ConcurrentServer& host : hosts)
            EXPECT_LE(host.Open().most.load(), c.perHost);
        EXPECT_LE(total.most.load(), c.jobs);
    }
}

TEST(ConcurrentProbes, AbortEndsEveryProbeInFlight)
{
    auto stalled = [](const std::string&, const std::string&) { return Reply { {}, {}, true }; };
    ConcurrentServer server(stalled);
    Texts links;
    for (int i = 0; i < 12; ++i)
        links.push_back(server.Url("/" + std::to_string(i)));
    TempSite site({ { "index.html", Links(links) + "</body></html>" } });

    SiteRun run;
    run.host.onPump = [&](int) {
        if (server.Open().now.load() == 8)
            run.state.AbortRequested = true;
    };
    const auto start = std::chrono::steady_clock::now();
    run.Run(site.Root(), Probing(8, 8), { "index.html" });

    EXPECT_EQ(run.outcome.end, RunOutcome::End::Aborted);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    for (int i = 0; i < 100 && server.Open().now.load() > 0; ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(server.Open().now.load(), 0) << "every connection closed";
    EXPECT_EQ(server.Open().most.load(), 8);
}
