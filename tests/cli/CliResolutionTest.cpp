#include "support/Process.h"
#include "support/ReportText.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

namespace {

const std::string Fixtures = FixturesFolder();

ProcessResult Cli(std::vector<std::string> args)
{
    args.insert(args.begin(), TARVIK_CLI);
    return RunProcess(args, {});
}

}

// One case of each way of writing a reference that a browser reads differently from a
// plain relative path: empty fragments, a query alone, "/" and "//", other schemes,
// percent escapes, blanks around the value, text before "http://", a dotted folder, and
// anchors that only an ID or the NAME of a link defines, letter case counting.
TEST(CliResolution, TracesTheResolutionSiteAndPrintsTheWholeReport)
{
    TempSite out;
    ProcessResult r = Cli({ "--folder", Fixtures + "/sites/resolution", "--trace", "--unused", "--json",
        out.Root() + "/r.json", "index.html" });
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(WithoutTimes(r.out), ReadWholeFile(Fixtures + "/expected/resolution-trace.txt"));
    EXPECT_EQ(WithoutTimes(out.Read("r.json")), ReadWholeFile(Fixtures + "/expected/resolution-trace.json"));
}

TEST(CliResolution, AnIndexFileStandsForTheFolderThatHoldsIt)
{
    TempSite out;
    ProcessResult r
        = Cli({ "-q", "--folder", Fixtures + "/sites/resolution", "--trace", "--unused", "--index-file",
            "default.htm", "--index-file", "index.html", "--json", out.Root() + "/r.json", "index.html" });
    EXPECT_EQ(r.exitStatus, 1);
    std::string json = out.Read("r.json");
    EXPECT_NE(json.find(R"({"ref": "docs/", "result": "OK", "inFile": "index.html")"), std::string::npos)
        << json;
    EXPECT_NE(json.find(R"({"ref": "/", "result": "OK", "inFile": "docs/guide.html")"), std::string::npos)
        << json;
    EXPECT_NE(json.find(R"("unused": [])"), std::string::npos)
        << "docs/index.html is used through its folder";
    EXPECT_NE(r.out.find("\ndocs/index.html\n"), std::string::npos) << "and traced";
}

TEST(CliResolution, AnIndexFileIsAFileName)
{
    const std::pair<const char*, const char*> cases[] = {
        { "", "--index-file needs a value, not an empty one" },
        { "sub/index.html", "--index-file takes a file name, not sub/index.html" },
    };
    for (const auto& [name, message] : cases) {
        ProcessResult r = Cli({ "--index-file", name });
        EXPECT_EQ(r.exitStatus, 2) << name;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    }
}
