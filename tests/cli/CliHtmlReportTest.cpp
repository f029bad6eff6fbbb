#include "cli/CliOptions.h"

#include "support/Process.h"
#include "support/TempSite.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

ProcessResult Cli(const std::string& workingFolder, std::vector<std::string> args)
{
    args.insert(args.begin(), TARVIK_CLI);
    return RunProcess(args, workingFolder);
}

const TempSite::Files brokenSite = {
    { "site/index.html", "<html><body><a href=\"gone.html\">x</a><img src=\"logo.gif\"></body></html>" },
    { "site/logo.gif", "GIF89a" },
};

}

TEST(CliHtmlReport, OptionsStandForTheDialogAndTheMenuSetting)
{
    std::string error;
    std::optional<CliOptions> o = ParseCommandLine({ "--html", "out.html", "--failed-only" }, error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->htmlFile, "out.html");
    EXPECT_TRUE(o->choices.htmlResults);
    EXPECT_TRUE(o->settings.showFailedOnly);

    o = ParseCommandLine({ "index.html" }, error);
    ASSERT_TRUE(o) << error;
    EXPECT_FALSE(o->choices.htmlResults);
    EXPECT_FALSE(o->settings.showFailedOnly);

    EXPECT_FALSE(ParseCommandLine({ "--failed-only" }, error));
    EXPECT_NE(error.find("--failed-only needs --html"), std::string::npos) << error;
    EXPECT_FALSE(ParseCommandLine({ "--html" }, error));
    EXPECT_EQ(error, "--html needs a value");
}

TEST(CliHtmlReport, SavesTheReportRelativeToTheStartingFolder)
{
    TempSite work(brokenSite);
    std::filesystem::create_directory(work.Root() + "/out");
    ProcessResult run
        = Cli(work.Root(), { "--folder", "site", "--html", "out/report.html", "--failed-only", "-q" });
    EXPECT_EQ(run.exitStatus, 1) << run.err;
    std::string html = work.Read("out/report.html");
    EXPECT_TRUE(html.starts_with("<HTML><HEAD><TITLE>Tarvik Report - ")) << html;
    EXPECT_NE(html.find("<B><A HREF=\"gone.html\" TARGET=\"reportwin\">gone.html</A></B><BR>\r\n"),
        std::string::npos)
        << html;
    EXPECT_EQ(html.find("index.html"), std::string::npos) << "page headings are not failures";
    EXPECT_TRUE(html.ends_with("</BODY></HTML>\r\n"));
    EXPECT_NE(run.out.find("gone.html"), std::string::npos)
        << "the text report still goes to standard output";
}

TEST(CliHtmlReport, UnwritableTargetIsReportedWithStatus2AndNothingIsReplaced)
{
    TempSite work(brokenSite);
    std::filesystem::create_directory(work.Root() + "/taken");
    ProcessResult run = Cli(work.Root(), { "--folder", "site", "--html", "taken", "-q" });
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(run.err.find("Cannot write taken: "), std::string::npos) << run.err;
    EXPECT_TRUE(std::filesystem::is_directory(work.Root() + "/taken"));
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(work.Root()))
        ++entries;
    EXPECT_EQ(entries, 2) << "no temporary file is left beside the target";

    run = Cli(work.Root(), { "--folder", "site", "--html", "no-folder/report.html", "-q" });
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_NE(
        run.err.find("Cannot write no-folder/report.html: No such file or directory"), std::string::npos)
        << run.err;
}
