#include "support/LoopbackServer.h"
#include "support/NginxServer.h"
#include "support/Process.h"
#include "support/ReportText.h"
#include "support/TempSite.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using Texts = std::vector<std::string>;

namespace {

const std::string Fixtures = FixturesFolder();

ProcessResult Cli(std::vector<std::string> args)
{
    args.insert(args.begin(), TARVIK_CLI);
    return RunProcess(args);
}

std::size_t Occurrences(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}

/// The fixture site "online" published by nginx: the pages are copied into the served folder
/// once the server's port is known, with "{server}" replaced by its address, so that their
/// external links lead to the same server. Every request is logged for the test to count.
class PublishedFixture {
public:
    PublishedFixture()
        : m_server(m_site.Root(),
            "access_log " + m_logs.Root()
                + "/access.log;\n"
                  "absolute_redirect off;\n"
                  "location = /ext/moved.html { return 301 /ext/ok.html; }\n")
    {
        const std::filesystem::path fixture = Fixtures + "/sites/online";
        const std::string address = m_server.Url("");
        for (const auto& entry : std::filesystem::recursive_directory_iterator(fixture)) {
            if (!entry.is_regular_file())
                continue;
            std::string text = ReadWholeFile(entry.path().string());
            for (std::size_t at; (at = text.find("{server}")) != std::string::npos;)
                text.replace(at, 8, address);
            m_site.Write(std::filesystem::relative(entry.path(), fixture).string(), text);
        }
    }

    const std::string& Folder() const { return m_site.Root(); }
    std::string Base() const { return m_server.Url("/"); }
    std::string Address(const std::string& path) const { return m_server.Url(path); }

    /// "HEAD /a.html" for each request so far.
    Texts Requests() const
    {
        return NginxServer::RequestsIn(m_logs.Root() + "/access.log");
    }

private:
    TempSite m_site;
    TempSite m_logs;
    NginxServer m_server;
};

}

TEST(CliOnline, ThePublishedSiteGetsTheSameReportAsItsFilesOffLine)
{
    PublishedFixture published;
    TempSite out;
    TempSite empty;
    ProcessResult offline = Cli({ "-q", "--folder", published.Folder(), "--trace", "--external", "links",
        "--start", "index.html", "--json", out.Root() + "/offline.json" });
    std::size_t offlineRequests = published.Requests().size();
    ProcessResult online = Cli({ "-q", "--folder", empty.Root(), "--online", published.Base(), "--trace",
        "--external", "links", "--start", "index.html", "--json", out.Root() + "/online.json" });

    EXPECT_EQ(offline.exitStatus, 1);
    EXPECT_EQ(online.exitStatus, 1);
    EXPECT_EQ(online.err, "");
    EXPECT_EQ(WithoutTimes(online.out), WithoutTimes(offline.out));
    EXPECT_EQ(WithoutTimes(out.Read("online.json")), WithoutTimes(out.Read("offline.json")));

    const std::string json = out.Read("online.json");
    const std::string ok = published.Address("/ext/ok.html");
    const std::string gone = published.Address("/ext/gone.html");
    for (const std::string& row : Texts {
             "{\"ref\": \"" + ok + "\", \"result\": \"OK\", \"inFile\": \"index.html\"",
             "{\"ref\": \"" + gone
                 + "\", \"result\": \"FAILED: Page not found (404)\", \"inFile\": \"index.html\"",
             "{\"ref\": \"" + published.Address("/ext/moved.html") + "\", \"result\": \"OK\"",
             "{\"ref\": \"" + ok + "#part\", \"result\": \"OK\"",
             "{\"ref\": \"" + published.Address("/ext/pic.gif") + "\", \"result\": \"Not checked\"",
             "{\"ref\": \"sub/img/logo.gif\", \"result\": \"NOT FOUND\", \"inFile\": \"sub/page.html\"",
             "{\"ref\": \"gone.html#x\", \"result\": \"NOT FOUND\"",
             "{\"ref\": \"about.html#intro\", \"result\": \"NOT FOUND\"",
         })
        EXPECT_NE(json.find(row), std::string::npos) << row << "\n" << json;
    EXPECT_NE(json.find("\"notAnalysed\": [\"report.pdf\"]"), std::string::npos) << json;

    Texts requests = published.Requests();
    Texts onlineRequests(requests.begin() + long(offlineRequests), requests.end());
    for (const char* page :
        { "/index.html", "/about.html", "/plain.html", "/sub/page.html", "/sub/index.html" })
        EXPECT_EQ(std::count(onlineRequests.begin(), onlineRequests.end(), std::string("GET ") + page), 1)
            << page;
    EXPECT_EQ(std::count(onlineRequests.begin(), onlineRequests.end(), "GET /report.pdf"), 0)
        << "a traced file that is no page is not downloaded";
    EXPECT_EQ(std::count(onlineRequests.begin(), onlineRequests.end(), "HEAD /ext/gone.html"), 1)
        << "a reference seen again is not probed again";
}

TEST(CliOnline, SavesTheReceivedHeadersOfEveryProbe)
{
    PublishedFixture published;
    TempSite out;
    TempSite empty;
    ProcessResult r = Cli({ "-q", "--folder", empty.Root(), "--online", published.Base(), "--external",
        "links", "--headers", out.Root() + "/headers.txt" });
    EXPECT_EQ(r.exitStatus, 1);
    const std::string headers = out.Read("headers.txt");

    const std::string success(36, '=');
    const std::string failure = "==============xx====================";
    Texts requests = published.Requests();
    std::size_t probes = std::count_if(
        requests.begin(), requests.end(), [](const std::string& r) { return r.rfind("HEAD ", 0) == 0; });
    EXPECT_EQ(
        Occurrences(headers, success + "\r\n") + Occurrences(headers, failure + "\r\n"), 2 * (probes - 1))
        << "one block a probe; the relocated probe asked twice";

    const std::string gone = published.Address("/ext/gone.html");
    EXPECT_NE(headers.find(failure + "\r\n" + gone + "\r\nSize: "), std::string::npos) << headers;
    EXPECT_NE(headers.find("Type: text/html     Status Code: 404  Not Found\r\n" + failure
                  + "\r\nHTTP/1.1 404 Not Found\r\n"),
        std::string::npos)
        << headers;
    const std::string moved = published.Address("/ext/moved.html");
    std::size_t movedBlock = headers.find(success + "\r\n" + moved + "\r\n");
    ASSERT_NE(movedBlock, std::string::npos) << headers;
    std::size_t movedEnd = headers.find("\r\n\r\n", movedBlock);
    std::string movedHeader = headers.substr(movedBlock, movedEnd - movedBlock);
    EXPECT_NE(movedHeader.find("HTTP/1.1 301 Moved Permanently\r\n"), std::string::npos) << movedHeader;
    EXPECT_NE(movedHeader.find("Location: /ext/ok.html\r\n"), std::string::npos) << movedHeader;
    EXPECT_NE(movedHeader.find("HTTP/1.1 200 OK\r\n"), std::string::npos) << movedHeader;

    ProcessResult without
        = Cli({ "-q", "--folder", empty.Root(), "--online", published.Base(), "--external", "links" });
    EXPECT_EQ(without.exitStatus, 1);
    EXPECT_EQ(WithoutTimes(without.out), WithoutTimes(r.out)) << "the record changes nothing else";
}

TEST(CliOnline, ExitStatusesOfOnLineRuns)
{
    TempSite site({ { "index.html", "<html><body><a href=\"about.html\">a</a></body></html>" },
        { "about.html", "<html><body></body></html>" } });
    NginxServer server(site.Root());
    TempSite empty;

    ProcessResult clean
        = Cli({ "-q", "--folder", empty.Root(), "--online", server.Url(""), "--trace", "--no-cache" });
    EXPECT_EQ(clean.exitStatus, 0) << clean.err;
    EXPECT_NE(clean.out.find("|||||| No errors were reported ||||||\n"), std::string::npos) << clean.out;

    ProcessResult missing
        = Cli({ "-q", "--folder", empty.Root(), "--online", server.Url("/"), "--start", "none.html" });
    EXPECT_EQ(missing.exitStatus, 2);
    EXPECT_NE(missing.err.find("not one page could be analysed"), std::string::npos) << missing.err;
    EXPECT_NE(missing.out.find("        none.html \n                           Reason: Page not found\n"),
        std::string::npos)
        << missing.out;

    for (const std::string base : { "http://", " http:// " }) {
        ProcessResult noBase = Cli({ "-q", "--folder", empty.Root(), "--online", base });
        EXPECT_EQ(noBase.exitStatus, 2);
        EXPECT_EQ(noBase.err,
            "tarvik-cli: You must specify a Base HREF for your site\nbefore you can perform an on-line check.\n");
        EXPECT_EQ(noBase.out, "");
    }
}

TEST(CliOnline, TheTimeLimitAppliesToDownloadsAndProbes)
{
    LoopbackServer stalled({ { LoopbackServer::Stall() } });
    TempSite empty;
    auto start = std::chrono::steady_clock::now();
    ProcessResult download
        = Cli({ "-q", "--folder", empty.Root(), "--online", stalled.Url("/"), "--timeout", "1" });
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(download.exitStatus, 2);
    EXPECT_NE(download.out.find("Reason: Connection timed out (Error #10060)\n"), std::string::npos)
        << download.out;

    TempSite site({ { "index.html",
        "<html><body><a href=\"" + stalled.Url("/slow.html") + "\">x</a></body></html>" } });
    TempSite out;
    start = std::chrono::steady_clock::now();
    ProcessResult probe = Cli({ "-q", "--folder", site.Root(), "--external", "links", "--timeout", "1",
        "--json", out.Root() + "/r.json", "index.html" });
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(probe.exitStatus, 1);
    EXPECT_NE(out.Read("r.json").find("\"result\": \"FAILED: Connection timed out (Error #10060) (404)\""),
        std::string::npos)
        << out.Read("r.json");
}
