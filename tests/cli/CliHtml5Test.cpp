#include "support/Process.h"
#include "support/ReportText.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

// The site of today's markup, with and without --html5: with it off, its references
// go unseen as before.
TEST(CliHtml5, TracesTodaysMarkupOnlyWhenAsked)
{
    struct Case {
        std::vector<std::string> extra;
        std::string expected;
    };
    const Case cases[] = { { { "--html5" }, "html5-trace" }, { {}, "html5-off-trace" } };
    const std::string fixtures = FixturesFolder();
    for (const Case& c : cases) {
        TempSite out;
        std::vector<std::string> args { TARVIK_CLI, "--folder", fixtures + "/sites/html5", "--trace",
            "--json", out.Root() + "/r.json" };
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        args.push_back("index.html");
        ProcessResult r = RunProcess(args);
        EXPECT_EQ(r.exitStatus, 1) << c.expected;
        EXPECT_EQ(WithoutTimes(r.out), ReadWholeFile(fixtures + "/expected/" + c.expected + ".txt"))
            << c.expected;
        EXPECT_EQ(
            WithoutTimes(out.Read("r.json")), ReadWholeFile(fixtures + "/expected/" + c.expected + ".json"))
            << c.expected;
    }
}
