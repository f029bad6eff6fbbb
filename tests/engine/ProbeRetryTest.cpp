#include "support/ConcurrentServer.h"
#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>
#include <map>
#include <mutex>

using Texts = std::vector<std::string>;
using Reply = ConcurrentServer::Reply;

namespace {

/// The first request of each path fails as its name says; later ones are answered.
class FailsOnce {
public:
    Reply operator()(const std::string&, const std::string& path)
    {
        std::lock_guard lock(m_mutex);
        if (m_asked[path]++ > 0 && path != "/later")
            return ConcurrentServer::Ok();
        if (path == "/busy")
            return { {}, "HTTP/1.0 429 Too Many Requests\r\nRetry-After: 1\r\n\r\n" };
        if (path == "/later")
            return { {}, "HTTP/1.0 429 Too Many Requests\r\nRetry-After: 120\r\n\r\n" };
        if (path == "/down")
            return { {}, "HTTP/1.0 503 Service Unavailable\r\nRetry-After: 0\r\n\r\n" };
        return { {}, {}, false, true };
    }
    int Asked(const std::string& path)
    {
        std::lock_guard lock(m_mutex);
        return m_asked[path];
    }

private:
    std::mutex m_mutex;
    std::map<std::string, int> m_asked;
};

}

TEST(ProbeRetry, PassingFailuresAreAskedOnceMoreAndTheSecondAnswerCounts)
{
    struct Case {
        int jobs;
        int retries;
        Texts results; // busy, later, down, reset
        int asked; // each of busy, down and reset
    };
    const std::string busyLater = "FAILED: Too Many Requests (429)";
    const Case cases[] = {
        { 1, 1, { "OK", busyLater, "OK", "OK" }, 2 },
        { 8, 1, { "OK", busyLater, "OK", "OK" }, 2 },
        { 8, 0,
            { busyLater, busyLater, "FAILED: Service Unavailable (503)",
                "FAILED: Connection reset by peer (Error #10054) (404)" },
            1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("jobs " + std::to_string(c.jobs) + ", retries " + std::to_string(c.retries));
        FailsOnce replies;
        ConcurrentServer server([&](const std::string& m, const std::string& p) { return replies(m, p); });
        const Texts paths { "/busy", "/later", "/down", "/reset" };
        std::string html = "<html><body>";
        for (const std::string& path : paths)
            html += "<a href=\"" + server.Url(path) + "\">x</a>";
        TempSite site({ { "index.html", html + "</body></html>" } });
        DialogChoices choices;
        choices.external = ExternalChoice::LinksOnly;
        RunOptions options = MakeRunOptions(choices, {});
        options.Probes.jobs = c.jobs;
        options.Probes.retries = c.retries;
        SiteRun run;

        run.Run(site.Root(), options, { "index.html" });

        for (std::size_t i = 0; i < paths.size(); ++i)
            EXPECT_EQ(SiteRun::ResultOf(run.models.LinkGrid, server.Url(paths[i])), c.results[i]) << paths[i];
        EXPECT_EQ(replies.Asked("/later"), 1) << "a wait over --max-wait is not waited";
        for (const char* path : { "/busy", "/down", "/reset" })
            EXPECT_EQ(replies.Asked(path), c.asked) << path;
    }
}
