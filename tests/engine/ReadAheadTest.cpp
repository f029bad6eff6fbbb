#include "engine/LocalSite.h"
#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

std::string Fixture(const std::string& site)
{
    const char* root = std::getenv("TARVIK_FIXTURES");
    return std::string(root ? root : "tests/fixtures") + "/sites/" + site;
}

/// A traced site of `pages` pages in three folders, each page linking on to the next
/// ones (with and without anchors, one of them missing) and showing an image, so that
/// the queue of pages read ahead fills and drains many times. `padding` bytes of text
/// make each page that much larger.
std::unique_ptr<TempSite> ChainSite(int pages, std::size_t padding = 0)
{
    auto site = std::make_unique<TempSite>();
    auto name = [](int n) { return "d" + std::to_string(n % 3) + "/p" + std::to_string(n) + ".html"; };
    site->Write("img/a.png", "png");
    for (int n = 0; n < pages; ++n) {
        std::string text = "<html><head><title>Page " + std::to_string(n) + "</title></head>\n<body>\n";
        text += "<a name=\"top\">top</a> <a href=\"#top\">up</a> <a href=\"#nowhere\">nowhere</a>\n";
        for (int k = 1; k <= 3; ++k)
            text += "<a href=\"../" + name((n + k) % pages) + (k == 2 ? "#top" : "") + "\">next</a>\n";
        text
            += "<img src=\"../img/a.png\"> <a href=\"../gone-" + std::to_string(n % 7) + ".html\">gone</a>\n";
        text += std::string(padding, 'x') + "\n</body></html>\n";
        site->Write(name(n), text);
    }
    site->Write("index.html", "<html><a href=\"" + name(0) + "\">start</a></html>");
    return site;
}

struct Outputs {
    Strings analysed;
    std::string report;
    Strings links;
    Strings images;
    Strings notAnalysed;
    Strings unused;
};

Outputs RunOnce(const std::string& folder, const RunOptions& options, RunRequest::Reading reading)
{
    SiteRun run;
    run.reading = reading;
    run.Run(folder, options, { "index.html" });
    return { run.AnalysedPages(), run.Report(), SiteRun::Rows(run.models.LinkGrid),
        SiteRun::Rows(run.models.ImgGrid), run.outcome.notAnalysed, run.outcome.unused };
}

std::size_t ThreadCount()
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/task"))
        ++n;
    return n;
}

TEST(ReadAhead, TracedRunGivesWhatReadingEachPageAtItsTurnGives)
{
    auto chain = ChainSite(120);
    // Pages past the byte bound of the queue: it holds one at a time.
    auto large = ChainSite(6, PageReadAhead::MaxBytes / 2);
    struct Case {
        const char* behaviour;
        std::string folder;
        bool html5;
    } cases[] = {
        { "faults of every kind", Fixture("faults"), false },
        { "faults read with today's markup", Fixture("faults"), true },
        { "today's markup", Fixture("html5"), true },
        { "resolution of references", Fixture("resolution"), false },
        { "more pages than the queue holds", chain->Root(), false },
        { "more pages than the queue holds, today's markup", chain->Root(), true },
        { "pages larger than the queue's bytes", large->Root(), false },
        // Anchors were once looked for under the site's folder twice over.
        { "site named by a path from the working folder", fs::relative(chain->Root()).string(), false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        RunOptions options = TraceOptions();
        options.Html5 = c.html5;
        options.ReportUnused = true;
        Outputs atTurn = RunOnce(c.folder, options, RunRequest::Reading::AtTurn);
        Outputs ahead = RunOnce(c.folder, options, RunRequest::Reading::Ahead);
        EXPECT_GT(atTurn.analysed.size(), 1u);
        EXPECT_EQ(ahead.analysed, atTurn.analysed);
        EXPECT_EQ(ahead.report, atTurn.report);
        EXPECT_EQ(ahead.links, atTurn.links);
        EXPECT_EQ(ahead.images, atTurn.images);
        EXPECT_EQ(ahead.notAnalysed, atTurn.notAnalysed);
        EXPECT_EQ(ahead.unused, atTurn.unused);
    }
}

TEST(ReadAhead, AbortedRunStopsAndJoinsTheReader)
{
    auto site = ChainSite(200);
    std::size_t threads = ThreadCount();
    // Before the first page, while the queue fills, and once the reader waits on a full queue.
    for (int abortAt : { 1, 40, 600 }) {
        SCOPED_TRACE(abortAt);
        SiteRun run;
        std::size_t threadsDuringRun = 0;
        run.host.onPump = [&](int pumps) {
            if (pumps == abortAt) {
                threadsDuringRun = ThreadCount();
                run.state.AbortRequested = true;
            }
        };
        run.Run(site->Root(), TraceOptions(), { "index.html" });
        EXPECT_EQ(run.outcome.end, RunOutcome::End::Aborted);
        EXPECT_EQ(threadsDuringRun, threads + 1);
        EXPECT_LT(run.AnalysedPages().size(), 200u);
        EXPECT_EQ(ThreadCount(), threads);
    }
}

/// What happens to a page's file after the reader has read it and before its turn.
struct ChangeCase {
    const char* behaviour;
    void (*change)(const std::string& path);
};

/// Writes over the file in place, as most editors save.
void Rewrite(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

TEST(ReadAhead, PageChangedAfterReadingAheadReadsAsAtItsTurn)
{
    const ChangeCase cases[] = {
        { "unchanged", [](const std::string&) {} },
        { "rewritten longer",
            [](const std::string& p) { Rewrite(p, "<html><a href=x.html>new</a></html>"); } },
        { "rewritten at the same size, its time moved on",
            [](const std::string& p) {
                Rewrite(p, "<html>NEW</html>");
                timespec later[2] = { { 0, UTIME_OMIT }, { std::time(nullptr) + 60, 0 } };
                ::utimensat(AT_FDCWD, p.c_str(), later, 0);
            } },
        { "replaced by another file",
            [](const std::string& p) {
                Rewrite(p + ".new", "<html>other</html>");
                fs::rename(p + ".new", p);
            } },
        { "removed", [](const std::string& p) { fs::remove(p); } },
        { "replaced by a folder",
            [](const std::string& p) {
                fs::remove(p);
                fs::create_directory(p);
            } },
        { "replaced by a pipe",
            [](const std::string& p) {
                fs::remove(p);
                ::mkfifo(p.c_str(), 0600);
            } },
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.behaviour);
        TempSite site({ { "a.html", "<html>OLD</html>" } });
        // Today's reading: the folder listed when the page was queued, the file read at its turn.
        LocalSite today(site.Root());
        today.Files().Locate("a.html", FileSystem::Kind::File);
        LocalSite ahead(site.Root());
        ahead.ReadAhead(WalkedPage::Markup::Classic);
        ahead.QueuePage("a.html");
        for (int i = 0; i < 2000 && ahead.PagesReadAhead() == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_EQ(ahead.PagesReadAhead(), 1u);

        c.change(site.Root() + "/a.html");
        std::string expected;
        FileRead expectedRead = today.FetchPage("a.html", expected);
        WalkedPage walked;
        FileRead read = ahead.ReadPage("a.html", WalkedPage::Markup::Classic, walked);
        EXPECT_EQ(read.Reason(), expectedRead.Reason());
        EXPECT_EQ(walked.text, expected);
        EXPECT_EQ(walked.references.size(), expected.find("href") != std::string::npos ? 1u : 0u);
    }
}

TEST(ReadAhead, AnchorsIndexedAheadAreThoseOfThePageWhenAsked)
{
    struct Case {
        const char* behaviour;
        const char* rewritten; // nullptr: left alone; "": removed
        Strings anchors;
    } cases[] = {
        { "unchanged", nullptr, { "old" } },
        { "rewritten", "<html><a name=\"new\"></a><p id=\"newer\"></html>", { "new", "newer" } },
        { "removed", "", {} },
    };
    const int pages = int(PageReadAhead::MaxPages) + 8;
    const std::string target = "p" + std::to_string(pages - 1) + ".html";
    // The reader indexes a page's anchors past the full queue, or with the page that links
    // to them; the run asks before that page's turn, or after the target's own turn.
    enum class Asked { Unlinked, AfterLinkingPage, AfterTarget };
    for (Asked asked : { Asked::Unlinked, Asked::AfterLinkingPage, Asked::AfterTarget }) {
        const bool linked = asked != Asked::Unlinked;
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.behaviour) + (linked ? ", read with a page linking to it" : "")
                + (asked == Asked::AfterTarget ? ", asked after its turn" : ""));
            TempSite site;
            for (int n = 0; n < pages; ++n)
                site.Write("p" + std::to_string(n) + ".html", "<html><a name=\"old\"></a></html>");
            site.Write("from.html", "<html><a href=\"" + target + "#old\">to</a></html>");
            LocalSite local(site.Root());
            local.ReadAhead(WalkedPage::Markup::Classic);
            // The linking page comes when the reader is well ahead of the run, as it reads
            // the pages linked to only then.
            Strings order;
            for (int n = 0; n < pages; ++n) {
                if (linked && n == int(PageReadAhead::MaxPages) / 2)
                    order.push_back("from.html");
                order.push_back("p" + std::to_string(n) + ".html");
            }
            for (const std::string& page : order)
                local.QueuePage(page);
            for (int i = 0; i < 2000 && local.PagesReadAhead() < PageReadAhead::MaxPages; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));

            FileSystem::Found last = local.Files().Locate(target, FileSystem::Kind::File);
            if (c.rewritten && *c.rewritten)
                Rewrite(last.realPath, c.rewritten);
            else if (c.rewritten)
                fs::remove(last.realPath);
            for (std::size_t n = 0; linked && n < order.size(); ++n) {
                WalkedPage walked;
                FileRead read = local.ReadPage(order[n], WalkedPage::Markup::Classic, walked);
                ASSERT_TRUE(read.Ok() || order[n] == target);
                if (order[n] == "from.html" && asked == Asked::AfterLinkingPage)
                    break;
            }
            const AnchorIndex::Anchors& anchors = local.AnchorsOf(last);
            EXPECT_EQ(anchors.Count(), c.anchors.size());
            for (const std::string& anchor : c.anchors)
                EXPECT_TRUE(anchors.Contains(anchor)) << anchor;
        }
    }
}

}
