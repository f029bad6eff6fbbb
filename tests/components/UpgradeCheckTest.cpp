#include "components/UpgradeCheck.h"
#include "net/THttpCli.h"
#include "support/LoopbackServer.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <memory>

namespace {

using Strings = std::vector<std::string>;
using Script = LoopbackServer::Script;
/// The scripts one mirror plays, one per request; none for a port nothing listens on.
using Mirror = std::vector<Script>;

const std::string Initial = std::string(12, ' ') + "Connecting to web site ";
const std::string AllFailed = "FAILED TO GET UPGRADE INFORMATION\r\nStatus Code: ";
const std::string UpToDate = "You already have the latest available version of Tarvik";

std::string InfoFile(const std::string& firstLine, const std::string& version)
{
    return firstLine + "\r\n" + version + "\r\n14-3-01\r\nhttps://x.org/upgrade\r\n\r\n\r\nFaster.\r\nSmaller.\r\n";
}

Script Answer(const std::string& status, const std::string& body)
{
    return LoopbackServer::Answer("HTTP/1.0 " + status + "\r\nContent-Type: text/plain\r\n\r\n" + body);
}

Mirror Offers(const std::string& firstLine, const std::string& version = "v")
{
    return { Answer("200 OK", InfoFile(firstLine, version)) };
}

Mirror Serves(const std::string& body) { return { Answer("200 OK", body) }; }

class RecordingUpgradeHost : public UpgradeHost {
public:
    bool AskYesNo(const std::string& question) override
    {
        questions.push_back(question);
        return answer;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void SetProgressCaption(const std::string& caption) override { captions.push_back(caption); }
    void ShowProgress(bool shown) override { progressShown = shown; }
    void SetBusy(bool busy) override { busyNow += busy ? 1 : -1; }
    void ShowOffer(const UpgradeInfo& info) override
    {
        offers.push_back(info.version);
        fileWhileShown = std::filesystem::exists(file);
        EXPECT_FALSE(progressShown);
    }

    bool answer = true;
    std::string file;
    Strings questions, messages, captions, offers;
    bool progressShown = false;
    bool fileWhileShown = false;
    int busyNow = 0;
};

}

TEST(UpgradeInfo, ReadsTheBuildNumberAsLineOneHoldsIt)
{
    const struct {
        const char* line;
        std::optional<int> build;
    } cases[] = {
        { "26", 26 },
        { "26a", 26 },
        { "  \t+31 beta", 31 },
        { "-7", -7 },
        { "no digits", 0 },
        { "", 0 },
        { "-", 0 },
        { "2147483647", INT_MAX },
        { "-2147483648", INT_MIN },
        { "2147483648", std::nullopt },
        { "99999999999999999999999", std::nullopt },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadBuildNumber(c.line), c.build) << '"' << c.line << '"';
}

TEST(UpgradeInfo, NeedsFiveLinesAndTakesTheSummaryFromLineSeven)
{
    const struct {
        const char* name;
        std::string text;
        std::optional<Strings> summary;
    } cases[] = {
        { "four lines", "26\nv\nd\nu\n", std::nullopt },
        { "five lines, last one unended", "26\nv\nd\nu\nx", Strings {} },
        { "CR LF ends", "26\r\nv\r\nd\r\nu\r\n5\r\n6\r\nNew <b>bold</b>\r\n\r\nLast", Strings { "New <b>bold</b>", "", "Last" } },
        { "overflowing build", "4294967296\nv\nd\nu\n5\n", std::nullopt },
    };
    for (const auto& c : cases) {
        std::optional<UpgradeInfo> info = ParseUpgradeInfo(c.text);
        ASSERT_EQ(info.has_value(), c.summary.has_value()) << c.name;
        if (info) {
            EXPECT_EQ(info->summary, *c.summary) << c.name;
        }
    }
    std::optional<UpgradeInfo> info = ParseUpgradeInfo("26\r\n2.2a\r\n1-5-02\r\nhttps://x.org/up\r\n\r\n");
    ASSERT_TRUE(info);
    EXPECT_EQ((Strings { std::to_string(info->build), info->version, info->releaseDate, info->pageAddress }),
        (Strings { "26", "2.2a", "1-5-02", "https://x.org/up" }));
}

TEST(UpgradeCheck, AsksThreeMirrorsAndShowsTheFirstHighestOffer)
{
    const std::string oversized = InfoFile("40", "too big") + std::string(UpgradeCheck::MaxFileSize, 'x');
    const struct Case {
        const char* name;
        std::array<Mirror, 3> mirrors;
        int installed;
        bool yes;
        Strings messages;
        Strings offers;
        std::array<std::size_t, 3> requests;
    } cases[] = {
        { "30, 31, 31: the first 31", { Offers("30", "a"), Offers("31", "b"), Offers("31", "c") }, 25, true, {},
            { "b" }, { 1, 2, 1 } },
        { "best equals installed", { Offers("25"), Offers("20"), Offers("x") }, 25, true, { UpToDate }, {},
            { 1, 1, 1 } },
        { "one build newer", { Offers("25"), Offers("26", "new"), Offers("25") }, 25, true, {}, { "new" },
            { 1, 2, 1 } },
        { "26a counts as 26", { Offers("26a", "new"), Offers("x"), Offers("x") }, 25, true, {}, { "new" },
            { 2, 1, 1 } },
        { "no digits count as 0", { Offers("latest"), Offers("x"), Offers("x") }, 25, true, { UpToDate }, {},
            { 1, 1, 1 } },
        { "No to the question: nothing asked", { Offers("30"), Offers("30"), Offers("30") }, 25, false, {}, {},
            { 0, 0, 0 } },
        { "all unreachable: one message", { Mirror {}, Mirror {}, Mirror {} }, 25, true,
            { AllFailed + "404\r\nReason: Connection refused (Error #10061)" }, {}, { 0, 0, 0 } },
        { "HTTP errors keep the last status", { Mirror { Answer("404 Not Found", "") }, Mirror {},
            Mirror { Answer("503 Busy", "") } }, 25, true, { AllFailed + "503\r\nReason: Busy" }, {}, { 1, 0, 1 } },
        { "four lines fail silently", { Serves("30\nv\nd\nu\n"), Serves("30\nv\nd\nu\n"), Serves("30\nv\nd\nu\n") },
            25, true, { AllFailed + "\r\nReason: " }, {}, { 1, 1, 1 } },
        { "an oversized answer fails its mirror", { Serves(oversized), Offers("26", "new"), Offers("x") }, 25,
            true, {}, { "new" }, { 1, 2, 1 } },
        { "a stalled mirror ends at the time limit", { Mirror { { LoopbackServer::Stall() } }, Offers("x"),
            Offers("27", "new") }, 25, true, {}, { "new" }, { 1, 1, 2 } },
        { "an offer of -2 is a build, not a No", { Offers("-2"), Mirror {}, Mirror {} }, 25, true, { UpToDate },
            {}, { 1, 0, 0 } },
        { "the display fetch fails", { Mirror { Answer("200 OK", InfoFile("26", "v")), Answer("500 Oops", "") },
            Offers("x"), Offers("x") }, 25, true,
            { "FAILED TO GET UPGRADE INFORMATION\r\n\r\nStatusCode: 500\r\nReason: Oops" }, {}, { 2, 1, 1 } },
        { "the display fetch is unreadable", { Mirror { Answer("200 OK", InfoFile("26", "v")), Answer("200 OK", "26\n") },
            Offers("x"), Offers("x") }, 25, true, { "Unable to interpret website response." }, {}, { 2, 1, 1 } },
    };
    const std::filesystem::path before = std::filesystem::current_path();
    for (const Case& c : cases) {
        std::vector<std::unique_ptr<LoopbackServer>> servers;
        UpgradeMirrors mirrors;
        for (std::size_t i = 0; i < 3; ++i) {
            if (c.mirrors[i].empty()) {
                servers.push_back(nullptr);
                mirrors[i] = "http://127.0.0.1:" + std::to_string(LoopbackServer::RefusedPort());
                continue;
            }
            servers.push_back(std::make_unique<LoopbackServer>(c.mirrors[i]));
            mirrors[i] = servers.back()->Url("");
        }
        TempSite folder;
        THttpCli http;
        http.Timeout = 1;
        RecordingUpgradeHost host;
        host.answer = c.yes;
        UpgradeCheck check(host, http, folder.Root() + "/");
        host.file = check.FilePath();
        check.Run(25, mirrors);

        EXPECT_EQ(host.messages, c.messages) << c.name;
        EXPECT_EQ(host.offers, c.offers) << c.name;
        for (std::size_t i = 0; i < 3; ++i) {
            if (servers[i]) {
                EXPECT_EQ(servers[i]->Requests().size(), c.requests[i]) << c.name << ", mirror " << i + 1;
            }
        }
        EXPECT_EQ(host.questions.size(), 1u) << c.name;
        EXPECT_FALSE(host.progressShown) << c.name;
        EXPECT_EQ(host.busyNow, 0) << c.name;
        // Eight bars before and eight after each attempt made.
        Strings captions { Initial };
        for (std::size_t step = 1; step <= (c.yes ? 6u : 2u); ++step)
            captions.push_back(Initial + std::string(8 * step, '|'));
        EXPECT_EQ(host.captions, captions) << c.name;
        // The file stays after a check that showed no offer, and goes after one that did.
        if (!c.offers.empty()) {
            EXPECT_TRUE(host.fileWhileShown && !std::filesystem::exists(check.FilePath())) << c.name;
        }
        EXPECT_EQ(std::filesystem::current_path(), before) << c.name;
    }
}

TEST(UpgradeCheck, AsksAsAnOldBrowserForEachMirrorsPath)
{
    LoopbackServer server({ Answer("200 OK", InfoFile("20", "v")) });
    TempSite folder;
    THttpCli http;
    RecordingUpgradeHost host;
    UpgradeCheck(host, http, folder.Root() + "/").Run(25, { server.Url(""), server.Url("/"), server.Url("//") });
    Strings requestLines;
    for (const std::string& request : server.Requests()) {
        requestLines.push_back(request.substr(0, request.find("\r\n")));
        EXPECT_NE(request.find("\r\nUser-Agent: Mozilla/3.0 (compatible)\r\n"), std::string::npos);
        EXPECT_NE(request.find("\r\nAccept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n"),
            std::string::npos);
    }
    EXPECT_EQ(requestLines,
        (Strings { "GET /tvlatest.dat HTTP/1.0", "GET /software/tvlatest.dat HTTP/1.0",
            "GET /~orbane/tvlatest.dat HTTP/1.0" }));
    EXPECT_TRUE(std::filesystem::exists(folder.Root() + "/tvlatest.dat"));
}
