#include "support/Process.h"
#include "support/TempSite.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(CliSaveTarget, ResultsSavedToStandardOutputFollowTheReportAndLeaveTheDeviceAlone)
{
    TempSite site({ { "index.html", "<html><body><a href=\"index.html\">x</a></body></html>" } });
    ProcessResult r
        = RunProcess({ TARVIK_CLI, "-q", "--folder", site.Root(), "--json", "/dev/stdout", "index.html" });
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    std::size_t json = r.out.find("\"verdict\": \"ok\"");
    ASSERT_NE(json, std::string::npos) << r.out;
    EXPECT_NE(r.out.rfind("|||||| No errors were reported ||||||\n", json), std::string::npos) << r.out;
    EXPECT_TRUE(std::filesystem::is_symlink("/dev/stdout"));
}

TEST(CliSaveTarget, ResultsSavedWhileTheReportIsMadeMatchTheResultsSavedAfterIt)
{
    // A JSON file of its own is saved beside the run's report; one that another save also
    // writes is saved after the run, and the last save's text stays, as before.
    TempSite site({ { "index.html", "<html><body><a href=\"a.html#x\">a</a><img src=\"b.gif\"></body></html>" },
        { "a.html", "<html><a name=\"y\"></a></html>" } });
    TempSite out;
    std::vector<std::string> common = { TARVIK_CLI, "-q", "--folder", site.Root(), "--trace", "--unused" };
    auto run = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = common;
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back("index.html");
        return RunProcess(args);
    };
    ProcessResult beside = run({ "--json", out.Root() + "/beside.json" });
    ProcessResult after = run({ "--json", "/dev/stdout" });
    EXPECT_EQ(beside.exitStatus, 1) << beside.err;
    std::size_t start = after.out.find("{\n  \"links\"");
    ASSERT_NE(start, std::string::npos) << after.out;
    EXPECT_EQ(out.Read("beside.json"), after.out.substr(start));

    ProcessResult shared = run({ "--report", out.Root() + "/same", "--json", out.Root() + "/same" });
    EXPECT_EQ(shared.exitStatus, 1) << shared.err;
    EXPECT_EQ(out.Read("same"), out.Read("beside.json"));
}
