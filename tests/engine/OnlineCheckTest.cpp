#include "engine/DownloadCache.h"
#include "engine/WebAccess.h"
#include "net/FakeResolver.h"
#include "support/LoopbackServer.h"
#include "support/NginxServer.h"
#include "support/PrivateTemporary.h"
#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace std::chrono_literals;
using Server = LoopbackServer;
using Texts = std::vector<std::string>;

namespace {

const std::string Html = "<html><body>";
const std::string SuccessSeparator(36, '=');
const std::string FailureSeparator = "==============xx====================";

std::string Response(
    const std::string& statusLine, const std::string& fields = "", const std::string& body = "")
{
    return statusLine + "\r\n" + fields + "\r\n" + body;
}

RunOptions ExternalChecks(ExternalChoice choice)
{
    DialogChoices choices;
    choices.external = choice;
    RunOptions options = MakeRunOptions(choices, {});
    // A scripted server plays its scripts in the order connections arrive: one probe at a
    // time keeps that order the order of the references.
    options.Probes.jobs = 1;
    return options;
}

RunOptions Online(const std::string& base, bool cache = true)
{
    DialogChoices choices;
    choices.online = true;
    choices.baseHRef = base;
    choices.trace = true;
    choices.cacheDownloads = cache;
    return MakeRunOptions(choices, {});
}

std::string Block(const std::string& separator, const std::string& address, const std::string& summary,
    const std::string& header)
{
    return separator + "\r\n" + address + "\r\n" + summary + "\r\n" + separator + "\r\n" + header + "\r\n";
}

/// A run that also keeps every status line it showed.
struct RecordedRun : SiteRun {
    RecordedRun()
    {
        models.Labels.SetObserver([this](const RunLabels& labels, RunLabels::Label which) {
            if (which == RunLabels::Label::Status)
                statuses.push_back(labels.Status());
        });
    }

    /// The statuses that tell where page texts came from, in order.
    Texts PageSources() const
    {
        Texts sources;
        for (const std::string& s : statuses)
            if (s.rfind("Downloading ", 0) == 0 || s.rfind("Reading ", 0) == 0)
                sources.push_back(s);
        return sources;
    }

    Texts statuses;
};

/// A folder served by nginx, which logs every request ("GET /a.html") for the test to count.
struct PublishedSite {
    explicit PublishedSite(TempSite::Files pages, const std::string& directives = "")
        : files(pages)
        , server(files.Root(), "access_log " + logs.Root() + "/access.log;\n" + directives)
    {
    }

    Texts Requests() const
    {
        return NginxServer::RequestsIn(logs.Root() + "/access.log");
    }

    TempSite files;
    TempSite logs;
    NginxServer server;
};

}

TEST(ExternalProbe, NotFoundReadsPageNotFoundWithTheStatusForLinksOnly)
{
    const std::string notFound
        = Response("HTTP/1.1 404 Not Found", "Content-Type: text/html\r\n", "<html>gone</html>");
    Server server({ Server::Answer(notFound), Server::Answer(notFound) });
    const std::string link = server.Url("/gone.html");
    const std::string image = server.Url("/gone.gif");
    TempSite site(
        { { "index.html", Html + "<a href=\"" + link + "\">x</a><img src=\"" + image + "\"></html>" } });
    RecordedRun run;
    run.Run(site.Root(), ExternalChecks(ExternalChoice::ImagesAndLinks), { "index.html" });

    EXPECT_EQ(
        SiteRun::Rows(run.models.LinkGrid), Texts { link + "|FAILED: Page not found (404)|index.html|red" });
    EXPECT_EQ(SiteRun::Rows(run.models.ImgGrid), Texts { image + "|FAILED: Page not found|index.html|red" });
    EXPECT_NE(run.Report().find(link + " \n                           Reason: Page not found - 404\n"),
        std::string::npos)
        << run.Report();
    EXPECT_EQ(run.outcome.errorCount, 2u);
    ASSERT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(server.Requests()[0].rfind("HEAD /gone.html HTTP/1.0\r\n", 0), 0u);
    EXPECT_EQ(server.Requests()[1].rfind("HEAD /gone.gif HTTP/1.0\r\n", 0), 0u);
}

TEST(ExternalProbe, WithLinksOnlyImagesAreListedAsNotCheckedAndNeverAsked)
{
    Server server({ Server::Answer(Response("HTTP/1.0 200 OK")) });
    const std::string link = server.Url("/page.html");
    const std::string image = server.Url("/pic.gif");
    TempSite site({ { "index.html",
        Html + "<img src=\"" + image + "\"><a href=\"" + link
            + "\">x</a><a href=\"mailto:me@example.com\">m</a></html>" } });
    SiteRun run;
    run.Run(site.Root(), ExternalChecks(ExternalChoice::LinksOnly), { "index.html" });

    EXPECT_EQ(SiteRun::Rows(run.models.ImgGrid), Texts { image + "|Not checked|index.html|silver" });
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        (Texts { link + "|OK|index.html|white", "mailto:me@example.com|Not checked|index.html|silver" }));
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(run.outcome.errorCount, 0u);

    RunOptions unlisted = ExternalChecks(ExternalChoice::LinksOnly);
    unlisted.ListUnchecked = false;
    SiteRun quiet;
    quiet.Run(site.Root(), unlisted, { "index.html" });
    EXPECT_EQ(SiteRun::Rows(quiet.models.ImgGrid), Texts {});
    EXPECT_EQ(SiteRun::Rows(quiet.models.LinkGrid), Texts { link + "|OK|index.html|white" });
}

TEST(ExternalProbe, AServerRefusingHeadIsAskedAgainWithGetAndBothAnswersAreRecorded)
{
    for (const std::string refusal : { "HTTP/1.1 405 Method Not Allowed", "HTTP/1.1 501 Not Implemented" }) {
        SCOPED_TRACE(refusal);
        const std::string page = Response(
            "HTTP/1.1 200 OK", "Content-Type: text/html\r\nContent-Length: 13\r\n", "<html></html>");
        Server server({ Server::Answer(Response(refusal, "Allow: GET\r\n")), Server::Answer(page) });
        const std::string link = server.Url("/page.html");
        TempSite site({ { "index.html", Html + "<a href=\"" + link + "\">x</a></html>" } });
        RunOptions options = ExternalChecks(ExternalChoice::LinksOnly);
        options.RecordHeaders = true;
        SiteRun run;
        run.Run(site.Root(), options, { "index.html" });

        EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid), Texts { link + "|OK|index.html|white" });
        ASSERT_EQ(server.Requests().size(), 2u);
        EXPECT_EQ(server.Requests()[0].rfind("HEAD /page.html ", 0), 0u);
        EXPECT_EQ(server.Requests()[1].rfind("GET /page.html ", 0), 0u);
        EXPECT_EQ(run.outcome.receivedHeaders,
            Block(FailureSeparator, link, "Status Code: " + refusal.substr(9, 3) + "  " + refusal.substr(13),
                refusal + "\r\nAllow: GET\r\n")
                + Block(SuccessSeparator, link, "Size: 13     Type: text/html     Status Code: 200  OK",
                    "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: 13\r\n"));
    }
}

TEST(ExternalProbe, ALargeFileBehindARefusedHeadIsOkAndOnlyItsStartIsRead)
{
    const std::string body(3 * WebAccess::ProbeBodyLimit, 'x');
    Server server({ Server::Answer(Response("HTTP/1.0 405 Method Not Allowed")),
        Server::Answer(Response("HTTP/1.0 200 OK", "Content-Type: application/zip\r\n", body)) });
    const std::string link = server.Url("/big.zip");
    TempSite site({ { "index.html", Html + "<a href=\"" + link + "\">x</a></html>" } });
    SiteRun run;
    run.Run(site.Root(), ExternalChecks(ExternalChoice::LinksOnly), { "index.html" });
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid), Texts { link + "|OK|index.html|white" });
    EXPECT_LE(run.http.RcvdCount(), WebAccess::ProbeBodyLimit);
    EXPECT_EQ(run.http.MaxBodySize, THttpCli().MaxBodySize) << "the usual limit is back for downloads";
}

TEST(ExternalProbe, OnlyARefusedMethodIsAskedAgainAndAFailingGetStillFails)
{
    Server server({ Server::Answer(Response("HTTP/1.0 405 Method Not Allowed")),
        Server::Answer(Response("HTTP/1.0 404 Not Found")),
        Server::Answer(Response("HTTP/1.0 403 Forbidden")) });
    const std::string refused = server.Url("/refused.html");
    const std::string forbidden = server.Url("/forbidden.html");
    TempSite site({ { "index.html",
        Html + "<a href=\"" + refused + "\">x</a><a href=\"" + forbidden + "\">y</a></html>" } });
    SiteRun run;
    run.Run(site.Root(), ExternalChecks(ExternalChoice::LinksOnly), { "index.html" });

    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        (Texts { refused + "|FAILED: Page not found (404)|index.html|red",
            forbidden + "|FAILED: Forbidden (403)|index.html|red" }));
    ASSERT_EQ(server.Requests().size(), 3u);
    EXPECT_EQ(server.Requests()[2].rfind("HEAD /forbidden.html ", 0), 0u) << "a 403 is not asked again";
}

TEST(ExternalProbe, ARelocationToAWorkingPageIsOkAndTheRecordKeepsEveryHop)
{
    const std::string moved = Response("HTTP/1.0 302 Found", "Location: /new.html\r\n");
    const std::string page = Response("HTTP/1.0 200 OK");
    Server server({ Server::Answer(moved), Server::Answer(page), Server::Answer(moved),
        Server::Answer(Response("HTTP/1.0 404 Not Found")) });
    const std::string link = server.Url("/old.html");
    const std::string other = server.Url("/older.html");
    TempSite site(
        { { "index.html", Html + "<a href=\"" + link + "\">x</a><a href=\"" + other + "\">y</a></html>" } });
    RunOptions options = ExternalChecks(ExternalChoice::LinksOnly);
    options.RecordHeaders = true;
    SiteRun run;
    run.Run(site.Root(), options, { "index.html" });

    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        (Texts { link + "|OK|index.html|white", other + "|FAILED: Page not found (404)|index.html|red" }));
    EXPECT_EQ(run.outcome.receivedHeaders,
        Block(SuccessSeparator, link, "Status Code: 200  OK",
            "HTTP/1.0 302 Found\r\nLocation: /new.html\r\nHTTP/1.0 200 OK\r\n")
            + Block(FailureSeparator, other, "Status Code: 404  Not Found",
                "HTTP/1.0 302 Found\r\nLocation: /new.html\r\nHTTP/1.0 404 Not Found\r\n"));
}

TEST(ExternalProbe, AStalledServerRunsIntoTheTimeLimit)
{
    Server server({ { Server::Stall() } });
    const std::string link = server.Url("/slow.html");
    TempSite site({ { "index.html", Html + "<a href=\"" + link + "\">x</a></html>" } });
    SiteRun run;
    run.http.Timeout = 1;
    const auto start = std::chrono::steady_clock::now();
    run.Run(site.Root(), ExternalChecks(ExternalChoice::LinksOnly), { "index.html" });

    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        Texts { link + "|FAILED: Connection timed out (Error #10060) (404)|index.html|red" });
    EXPECT_EQ(run.outcome.end, RunOutcome::End::Finished);
}

TEST(ExternalProbe, AnUnresolvableHostFailsAndIsRecordedWithoutTheOption)
{
    FakeResolver resolver(MessageQueue::ForThisThread());
    TempSite site({ { "index.html", Html + "<a href=\"http://nowhere.test/\">x</a></html>" } });
    RunOptions options = ExternalChecks(ExternalChoice::LinksOnly);
    SiteRun run;
    run.http.SetResolver(resolver);
    run.Run(site.Root(), options, { "index.html" });
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        Texts { "http://nowhere.test/|FAILED: can't resolve hostname to IP address (404)|index.html|red" });
    EXPECT_EQ(run.outcome.receivedHeaders, "") << "not kept without the option";

    options.RecordHeaders = true;
    SiteRun recorded;
    recorded.http.SetResolver(resolver);
    recorded.Run(site.Root(), options, { "index.html" });
    EXPECT_EQ(recorded.outcome.receivedHeaders,
        Block(FailureSeparator, "http://nowhere.test/",
            "Status Code: 404  can't resolve hostname to IP address", ""));
}

TEST(ExternalProbe, AbortWhileAProbeWaitsEndsTheRunAtOnce)
{
    Server server({ { Server::Stall() } });
    const std::string link = server.Url("/slow.html");
    TempSite site({ { "index.html",
                        Html + "<a href=\"" + link + "\">x</a><a href=\"" + server.Url("/next.html")
                            + "\">y</a></html>" },
        { "other.html", Html } });
    SiteRun run;
    run.http.Timeout = 10; // only so that a failure cannot hang the suite
    run.host.onPump = [&](int) {
        if (!server.Requests().empty())
            run.state.AbortRequested = true;
    };
    const auto start = std::chrono::steady_clock::now();
    run.Run(site.Root(), ExternalChecks(ExternalChoice::LinksOnly), { "index.html", "other.html" });

    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    EXPECT_EQ(run.outcome.end, RunOutcome::End::Aborted);
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        Texts { link + "|FAILED: Connection aborted on request (404)|index.html|red" });
    EXPECT_EQ(server.Requests().size(), 1u) << "nothing is asked after the abort";
    EXPECT_EQ(run.host.questions, Texts { "ABORTED BY USER - create partial text report?" });
}

TEST(OnlineRun, TracesThePublishedSiteAskingForEachPageAndAddressOnce)
{
    PublishedSite published({
        { "index.html",
            Html
                + "<a href=\"a.html#x\">a</a><a href=\"b.html#y\">b</a><img src=\"pic.gif\"><img "
                  "src=\"nopic.gif\">"
                  "<a href=\"gone.html\">g</a><a href=\"sub/c.html\">c</a></body></html>" },
        { "a.html", Html + "<a name=\"x\"></a><a name=\"z\"></a><a href=\"b.html\">b</a></body></html>" },
        { "b.html", Html + "<p id=\"y\"></p><a href=\"index.html\">home</a></body></html>" },
        { "sub/c.html",
            Html
                + "<a href=\"../a.html#z\">a</a><a href=\"../b.html\">b</a><a "
                  "href=\"../gone.html#q\">g</a>" },
        { "pic.gif", "GIF89a" },
    });
    TempSite empty;
    TempSite temporary;
    TemporaryFolderSetting setting(temporary.Root());
    RecordedRun run;
    Texts duringTheRun;
    run.host.onPump = [&](int) {
        if (duringTheRun.empty())
            duringTheRun = PrivateTemporaryEntries(temporary.Root());
    };
    run.Run(empty.Root(), Online(published.server.Url("/")), {}, "index.html");

    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        (Texts { "a.html#x|OK|index.html|white", "b.html#y|OK|index.html|white",
            "gone.html|NOT FOUND|index.html|red", "sub/c.html|OK|index.html|white", "b.html|OK|a.html|white",
            "index.html|OK|b.html|white", "sub/../a.html#z|OK|sub/c.html|white",
            "sub/../gone.html#q|NOT FOUND|sub/c.html|red" }));
    EXPECT_EQ(SiteRun::Rows(run.models.ImgGrid),
        (Texts { "pic.gif|OK|index.html|white", "nopic.gif|NOT FOUND|index.html|red" }));
    EXPECT_EQ(run.outcome.pagesAnalysed, 4u);
    EXPECT_EQ(run.outcome.errorCount, 3u);
    EXPECT_EQ(run.PageSources(),
        (Texts { "Downloading index.html", "Downloading a.html", "Downloading b.html",
            "Reading a.html from cache", "Reading b.html from cache", "Downloading sub/c.html" }));
    EXPECT_EQ(published.Requests(),
        (Texts { "GET /index.html", "HEAD /a.html", "GET /a.html", "HEAD /b.html", "GET /b.html",
            "HEAD /pic.gif", "HEAD /nopic.gif", "HEAD /gone.html", "HEAD /sub/c.html", "HEAD /index.html",
            "GET /sub/c.html" }));
    ASSERT_EQ(duringTheRun.size(), 1u) << "the cache lives in the private temporary folder";
    EXPECT_EQ(duringTheRun[0].rfind("cache-", 0), 0u);
    EXPECT_EQ(PrivateTemporaryEntries(temporary.Root()), Texts {}) << "and goes with the run";
}

TEST(OnlineRun, WithoutTheCachePagesAreDownloadedAgainAndTheRunGivesTheSameResults)
{
    PublishedSite published({
        { "index.html", Html + "<a href=\"a.html#x\">a</a><a href=\"b.html#y\">b</a></body></html>" },
        { "a.html", Html + "<a name=\"x\"></a></body></html>" },
        { "b.html", Html + "<a name=\"y\"></a></body></html>" },
    });
    TempSite empty;
    RecordedRun run;
    run.Run(empty.Root(), Online(published.server.Url(), false), {}, "index.html");

    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        (Texts { "a.html#x|OK|index.html|white", "b.html#y|OK|index.html|white" }));
    EXPECT_EQ(run.outcome.pagesAnalysed, 3u);
    EXPECT_EQ(run.PageSources(),
        (Texts { "Downloading index.html", "Downloading a.html", "Downloading b.html", "Downloading a.html",
            "Downloading b.html" }));
    EXPECT_TRUE(run.host.messages.empty());
}

TEST(OnlineRun, APageThatCannotBeDownloadedGetsOneFailedRow)
{
    PublishedSite published(
        { { "index.html", Html + "<a href=\"flaky.html#x\">a</a><a href=\"flaky.html\">f</a></body></html>" },
            { "flaky.html", Html + "<a name=\"x\"></a>" } },
        "location = /flaky.html { if ($request_method = GET) { return 500; } }");
    TempSite empty;
    SiteRun run;
    run.Run(empty.Root(), Online(published.server.Url()), {}, "index.html");
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        (Texts { "flaky.html#x|NOT FOUND|index.html|red", "flaky.html|OK|index.html|white",
            "flaky.html|FAILED: Internal Server Error||red" }));
    EXPECT_EQ(run.models.LinkGrid.RowCount(), 4u) << "no blank row left between the rows";
    EXPECT_EQ(run.outcome.notAnalysed, Texts { "flaky.html" });
    EXPECT_NE(run.Report().find("The following  external link failed\n        flaky.html \n"
                                "                           Reason: Internal Server Error\n"),
        std::string::npos)
        << run.Report();

    SiteRun missing;
    missing.Run(empty.Root(), Online(published.server.Url()), {}, "missing.html");
    EXPECT_EQ(SiteRun::Rows(missing.models.LinkGrid), Texts { "missing.html|FAILED: Page not found||red" });
    EXPECT_EQ(missing.outcome.pagesAnalysed, 0u);
    EXPECT_EQ(missing.outcome.notAnalysed, Texts { "missing.html" });
}

TEST(OnlineRun, AScriptPseudoAddressIsNotCheckedAndNeverAsked)
{
    FakeResolver resolver(MessageQueue::ForThisThread());
    PublishedSite published({ { "index.html", Html + "<a href=\"javascript:void(0)\">s</a></body></html>" } });
    TempSite empty;
    SiteRun run;
    run.http.SetResolver(resolver);
    run.Run(empty.Root(), Online(published.server.Url()), {}, "index.html");
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid), Texts { "javascript:void(0)|Not checked|index.html|silver" });
    EXPECT_EQ(resolver.lookups, 0);
}

TEST(OnlineRun, APageWithoutHtmlMarkersIsAskedAboutAsOffLine)
{
    Server server({ Server::Answer(Response("HTTP/1.0 200 OK", "", "Just text, <a href=\"x.html\">x</a>.")),
        Server::Answer(Response("HTTP/1.0 404 Not Found")) });
    TempSite empty;
    SiteRun run;
    run.Run(empty.Root(), Online(server.Url("/")), {}, "index.html");

    EXPECT_EQ(run.host.questions.front(),
        "'index.html' may not be an HTML file (no <HTML> tag). Do you still want to analyse it?");
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid), Texts { "x.html|NOT FOUND|index.html|red" });
    ASSERT_EQ(server.Requests().size(), 2u);
    EXPECT_EQ(server.Requests()[0].rfind("GET /index.html HTTP/1.0\r\n", 0), 0u);
    EXPECT_EQ(server.Requests()[1].rfind("HEAD /x.html HTTP/1.0\r\n", 0), 0u);
}

TEST(OnlineRun, ACacheThatCannotBeMadeIsSaidOnceAndTheRunGoesOn)
{
    Server server({ Server::Answer(Response("HTTP/1.0 200 OK", "", Html + "</body></html>")) });
    TempSite empty;
    TemporaryFolderSetting unusable("/nonexistent/tarvik-test");
    SiteRun run;
    run.Run(empty.Root(), Online(server.Url()), {}, "index.html");

    ASSERT_EQ(run.host.messages.size(), 1u);
    EXPECT_EQ(
        run.host.messages[0].rfind("Cannot create a temporary folder in /nonexistent/tarvik-test", 0), 0u);
    EXPECT_NE(run.host.messages[0].find("\r\nPages will be downloaded without a cache."), std::string::npos);
    EXPECT_EQ(run.outcome.pagesAnalysed, 1u);
}

TEST(OnlineRun, AbortWhileAPageDownloadsEndsTheRunAtOnce)
{
    Server server({ { Server::Stall() } });
    TempSite empty;
    SiteRun run;
    run.http.Timeout = 10; // only so that a failure cannot hang the suite
    run.host.onPump = [&](int) {
        if (!server.Requests().empty())
            run.state.AbortRequested = true;
    };
    const auto start = std::chrono::steady_clock::now();
    run.Run(empty.Root(), Online(server.Url("/")), {}, "index.html");

    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    EXPECT_EQ(run.outcome.end, RunOutcome::End::Aborted);
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid),
        Texts { "index.html|FAILED: Connection aborted on request||red" });
    EXPECT_EQ(run.host.questions, Texts { "ABORTED BY USER - create partial text report?" });
}

TEST(OnlineRun, NeedsABaseAddress)
{
    TempSite empty;
    SiteRun run;
    run.Run(empty.Root(), Online("http://"), {}, "index.html");
    EXPECT_EQ(run.host.messages,
        Texts { "You must specify a Base HREF for your site\r\nbefore you can perform an on-line check." });
    EXPECT_EQ(run.outcome.end, RunOutcome::End::NotStarted);
}

TEST(DownloadCache, PathsThatLookAlikeKeepTheirOwnPages)
{
    TempSite temporary;
    TemporaryFolderSetting setting(temporary.Root());
    std::string error;
    std::optional<DownloadCache> cache = DownloadCache::Create(error);
    ASSERT_TRUE(cache) << error;
    cache->Store("a/b.html", "slash");
    cache->Store("a~b.html", "tilde");
    cache->Store("a\\b.html", "backslash");
    cache->Store("two\nlines.html", "never stored");

    std::string text;
    EXPECT_TRUE(cache->Read("a/b.html", text));
    EXPECT_EQ(text, "slash");
    EXPECT_TRUE(cache->Read("a~b.html", text));
    EXPECT_EQ(text, "tilde");
    EXPECT_TRUE(cache->Read("a\\b.html", text));
    EXPECT_EQ(text, "backslash");
    EXPECT_FALSE(cache->Read("a/c.html", text));
    EXPECT_FALSE(cache->Read("two\nlines.html", text));
    cache->Store("empty.html", "");
    EXPECT_TRUE(cache->Read("empty.html", text));
    EXPECT_EQ(text, "");
}

TEST(DownloadCache, IsAPrivateFolderRemovedWithEverythingInIt)
{
    TempSite temporary;
    TemporaryFolderSetting setting(temporary.Root());
    std::string error;
    {
        std::optional<DownloadCache> cache = DownloadCache::Create(error);
        ASSERT_TRUE(cache) << error;
        cache->Store("index.html", "<html>");
        Texts entries = PrivateTemporaryEntries(temporary.Root());
        ASSERT_EQ(entries.size(), 1u);
        std::string folder = temporary.Root() + "/tarvik-" + std::to_string(::geteuid()) + "/" + entries[0];
        EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_all);
        EXPECT_FALSE(std::filesystem::is_empty(folder));
    }
    EXPECT_EQ(PrivateTemporaryEntries(temporary.Root()), Texts {});

    TemporaryFolderSetting unusable("/nonexistent/tarvik-test");
    EXPECT_FALSE(DownloadCache::Create(error));
    EXPECT_EQ(error.rfind("Cannot create a temporary folder in /nonexistent/tarvik-test", 0), 0u) << error;
}
