#include "support/ChildProcess.h"
#include "support/LoopbackServer.h"
#include "support/PrivateTemporary.h"
#include "support/TempSite.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <poll.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;
using Texts = std::vector<std::string>;

namespace {

std::unique_ptr<ChildProcess> StartCli(std::vector<std::string> args)
{
    args.insert(args.begin(), TARVIK_CLI);
    return std::make_unique<ChildProcess>(args);
}

Texts Entries(const std::string& folder)
{
    Texts names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool WaitForRequest(const LoopbackServer& server)
{
    auto deadline = std::chrono::steady_clock::now() + 10s;
    while (server.Requests().empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(10ms);
    return !server.Requests().empty();
}

struct Case {
    const char* what;
    int signal;
    bool online;
    /// In the partial report on standard output.
    Texts reported;
};

}

TEST(CliInterrupt, TheFirstSignalAbortsTheRunWhichStillReportsSavesAndCleansUp)
{
    const Case cases[] = {
        { "Ctrl-C during a probe", SIGINT, false,
            { "http://127.0.0.1:", "Reason: Connection aborted on request - 404\n",
                "The following file was awaiting checking when aborted:\n", "        a.html\n" } },
        { "SIGTERM during a probe", SIGTERM, false, { "awaiting checking when aborted" } },
        { "Ctrl-C during a download", SIGINT, true,
            { "        index.html \n                           Reason: Connection aborted on request\n" } },
    };
    for (const Case& c : cases) {
        LoopbackServer stalled({ { LoopbackServer::Stall() } });
        TempSite site({ { "index.html",
                            "<html><body><a href=\"a.html\">a</a><a href=\"" + stalled.Url("/slow.html")
                                + "\">x</a></body></html>" },
            { "a.html", "<html></html>" } });
        TempSite out;
        TempSite temporary;
        TemporaryFolderSetting setting(temporary.Root());
        // One probe at a time: a probe started ahead could reach the server before the run has
        // checked the page's first link, and the signal would then find nothing checked yet.
        std::vector<std::string> args = { "-q", "--folder", site.Root(), "--external", "links", "--trace",
            "--timeout", "0", "--jobs", "1", "--json", out.Root() + "/r.json" };
        if (c.online)
            args.insert(args.end(), { "--online", stalled.Url("/") });
        auto cli = StartCli(args);
        ASSERT_TRUE(WaitForRequest(stalled)) << c.what;
        if (c.online) {
            EXPECT_FALSE(PrivateTemporaryEntries(temporary.Root()).empty()) << c.what << ": the cache exists";
        }
        auto start = std::chrono::steady_clock::now();
        cli->Signal(c.signal);
        ProcessResult r = cli->Wait();

        EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << c.what;
        EXPECT_EQ(r.exitStatus, 128 + c.signal) << c.what << "\n" << r.err;
        for (const std::string& text : c.reported)
            EXPECT_NE(r.out.find(text), std::string::npos) << c.what << ": " << text << "\n" << r.out;
        EXPECT_NE(r.out.find("=== ERRORS WERE REPORTED ===\n"), std::string::npos) << c.what;
        EXPECT_EQ(Entries(out.Root()), Texts { "r.json" }) << c.what;
        EXPECT_NE(out.Read("r.json").find("Connection aborted on request"), std::string::npos) << c.what;
        EXPECT_EQ(PrivateTemporaryEntries(temporary.Root()), Texts {}) << c.what << ": the cache is removed";
    }
}

TEST(CliInterrupt, ASecondSignalEndsASaveThatHoldsTheProcessAtOnce)
{
    std::string page = "<html><body>";
    for (int i = 0; i < 2000; ++i)
        page += "<img src=\"missing-picture-" + std::to_string(i) + ".gif\">";
    TempSite site({ { "index.html", page + "</body></html>" } });
    TempSite out;
    std::string fifo = out.Root() + "/results.json";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);

    auto cli = StartCli({ "-q", "--folder", site.Root(), "--report", out.Root() + "/report.txt", "--json",
        fifo, "index.html" });
    // The results are larger than the FIFO holds: the save waits for a reader that never reads.
    pollfd waiting { reader, POLLIN, 0 };
    ASSERT_EQ(::poll(&waiting, 1, 10000), 1);
    cli->Signal(SIGINT);
    std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(cli->Running()) << "the first signal lets the save go on";
    cli->Signal(SIGINT);
    ProcessResult r = cli->Wait();
    ::close(reader);

    EXPECT_EQ(r.exitStatus, 128 + SIGINT);
    EXPECT_EQ(Entries(out.Root()), (Texts { "report.txt", "results.json" }));
    EXPECT_NE(out.Read("report.txt").find("=== ERRORS WERE REPORTED ===\r\n"), std::string::npos);
}
