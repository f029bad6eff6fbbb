#include "support/Process.h"
#include "support/ReportText.h"

#include <gtest/gtest.h>

TEST(Cli, AFileWrittenWithDotSlashIsThePageItsLinksName)
{
    // about.html links "index.html#top": the page the run started from, not another one.
    ProcessResult r = RunProcess(
        { TARVIK_CLI, "-q", "--folder", FixturesFolder() + "/sites/clean", "--trace", "./index.html" }, {});
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.out.rfind("index.html\n", 0), 0u) << r.out;
    EXPECT_EQ(r.out.find("\nindex.html\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\nabout.html\n"), std::string::npos) << r.out;
}
