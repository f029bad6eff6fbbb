#include "support/Process.h"
#include "support/ReportText.h"
#include "support/TempSite.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {

const std::string Fixtures = FixturesFolder();

ProcessResult Cli(std::vector<std::string> args, const std::string& workingFolder = {})
{
    args.insert(args.begin(), TARVIK_CLI);
    return RunProcess(args, workingFolder);
}

std::string Site(const std::string& name) { return Fixtures + "/sites/" + name; }

}

TEST(Cli, TracesTheFixtureSiteAndPrintsTheWholeReport)
{
    TempSite out;
    ProcessResult r = Cli({ "--folder", Site("faults"), "--trace", "--unused", "--json", out.Root() + "/r.json", "index.html" });
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(WithoutTimes(r.out), ReadWholeFile(Fixtures + "/expected/faults-trace.txt"));
    EXPECT_EQ(WithoutTimes(out.Read("r.json")), ReadWholeFile(Fixtures + "/expected/faults-trace.json"));
}

TEST(Cli, ACleanSiteExitsWithZero)
{
    ProcessResult r = Cli({ "-q", "--folder", Site("clean"), "--trace" });
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_NE(r.out.find("|||||| No errors were reported ||||||\n"), std::string::npos);
    EXPECT_NE(r.out.find("The selected files have the following 1 valid image link:\n"), std::string::npos)
        << "with --start only, no file counts as selected";
}

TEST(Cli, SavesTheReportWithCarriageReturnsAndRelativeToWhereItStarted)
{
    TempSite out;
    ProcessResult r = Cli({ "--folder", Site("clean"), "--report", "report.txt", "index.html" }, out.Root());
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.out, "");
    std::string saved = out.Read("report.txt");
    EXPECT_EQ(saved.rfind("index.html\r\n    \r\nThe selected file has the following 1 valid image link:\r\n", 0), 0u);
    EXPECT_EQ(saved.find("\n", 0), saved.find("\r\n", 0) + 1);
}

TEST(Cli, AnUnwritableReportIsAFailure)
{
    ProcessResult r = Cli({ "--folder", Site("clean"), "--report", "/nonexistent-folder/report.txt", "index.html" });
    EXPECT_EQ(r.exitStatus, 2);
    EXPECT_NE(r.err.find("Cannot write /nonexistent-folder/report.txt: No such file or directory"), std::string::npos);
}

TEST(Cli, SeparateReportsAndPagesWithoutMarkers)
{
    ProcessResult r = Cli({ "--folder", Site("faults"), "--separate", "--no-to-non-html", "about.html", "plain.html" });
    EXPECT_EQ(r.exitStatus, 0) << "about.html has no errors and plain.html was skipped";
    EXPECT_EQ(WithoutTimes(r.out),
        "about.html\n"
        "    \n"
        "The file has no valid images links.\n"
        "External images have not been checked\n"
        "    ---------------------------\n"
        "The file contains this active link:\n"
        "            index.html\n"
        "    ==============================\n"
        "|||||| No errors were reported ||||||\n"
        "    ==============================\n"
        "    \n"
        "plain.html\n"
        "    \n"
        "The file has no valid images links.\n"
        "External images have not been checked\n"
        "    ---------------------------\n"
        "The file contains no active links (or all links are invalid)\n"
        "         NONE\n"
        "    ==============================\n"
        "|||||| No errors were reported ||||||\n"
        "    ==============================\n"
        "    \n"
        "The following file was not analysed:\n"
        "    plain.html\n"
        "    ===========================\n"
        "    \n"
        "Total Response Time: T secs.\n"
        "    \n");
}

TEST(Cli, BadUsageAndRunsThatCannotStartExitWithTwo)
{
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        { { "--bogus" }, "unknown option --bogus" },
        { { "--folder" }, "--folder needs a value" },
        { { "--trace", "a.html", "b.html" }, "--trace needs one FILE at most" },
        { { "--separate", "a.html" }, "--separate needs two FILEs or more" },
        { { "--unused" }, "--unused needs --trace" },
        { { "--folder", "/nonexistent-folder" }, "Cannot open folder /nonexistent-folder" },
        { { "--folder", Site("faults"), "--start", "none.html" },
            "To check files locally you must first select at least one file in the file list." },
        { { "--folder", Site("faults"), "notes.txt", "missing.html" }, "not one page could be analysed" },
    };
    for (const Case& c : cases) {
        ProcessResult r = Cli(c.args);
        EXPECT_EQ(r.exitStatus, 2) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST(Cli, HelpAndVersion)
{
    ProcessResult help = Cli({ "--help" });
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_NE(help.out.find("--trace"), std::string::npos);
    ProcessResult version = Cli({ "--version" });
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, "Version 2.1d\nCopyright \xc2\xa9 Orbane Software 2000/2001\n");
}
