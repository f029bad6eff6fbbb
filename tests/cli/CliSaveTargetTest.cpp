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
