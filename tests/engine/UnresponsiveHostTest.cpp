#include "support/ConcurrentServer.h"
#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace std::chrono_literals;
using Texts = std::vector<std::string>;

TEST(UnresponsiveHost, ThreeTimeoutsInARowAndTheRestOfTheHostFailsUnasked)
{
    struct Case {
        int jobs;
        int perHost;
    };
    auto stalled = [](const std::string&, const std::string&) {
        return ConcurrentServer::Reply { {}, {}, true };
    };
    auto fast = [](const std::string&, const std::string&) { return ConcurrentServer::Ok(); };
    Texts expected;
    for (const Case& c : { Case { 1, 1 }, Case { 8, 3 } }) {
        SCOPED_TRACE("jobs " + std::to_string(c.jobs));
        ConcurrentServer silent(stalled, "127.0.0.1");
        ConcurrentServer answering(fast, "127.0.0.2");
        std::string html = "<html><body>";
        for (int i = 0; i < 6; ++i)
            html += "<a href=\"" + silent.Url("/" + std::to_string(i)) + "\">s</a><a href=\""
                + answering.Url("/" + std::to_string(i)) + "\">a</a>";
        TempSite site({ { "index.html", html + "</body></html>" } });
        DialogChoices choices;
        choices.external = ExternalChoice::LinksOnly;
        choices.recordHeaders = true;
        RunOptions options = MakeRunOptions(choices, {});
        options.Probes.jobs = c.jobs;
        options.Probes.perHost = c.perHost;
        SiteRun run;
        run.http.Timeout = 1;
        Texts notes;
        run.models.Labels.SetObserver([&](const RunLabels& labels, RunLabels::Label which) {
            if (which == RunLabels::Label::Status && labels.Status().starts_with("Not asking"))
                notes.push_back(labels.Status());
        });

        run.Run(site.Root(), options, { "index.html" });

        EXPECT_EQ(silent.Paths().size(), 3u) << "the host is not asked after its third timeout";
        EXPECT_EQ(answering.Paths().size(), 6u);
        EXPECT_EQ(notes,
            Texts { "Not asking " + silent.Url("").substr(7) + " again: 3 probes in a row timed out" });
        const Texts rows = SiteRun::Rows(run.models.LinkGrid);
        EXPECT_EQ(std::count(rows.begin(), rows.end(),
                      silent.Url("/5") + "|FAILED: Connection timed out (Error #10060) (404)|index.html|red"),
            1);
        if (expected.empty())
            expected = rows;
        else
            EXPECT_EQ(rows.size(), expected.size());
    }
}
