#include "cli/CliOptions.h"

#include "support/TempSite.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};

/// Runs tarvik-cli in `workingFolder` with its output captured in files there.
Finished RunCli(const std::string& workingFolder, std::vector<std::string> args)
{
    std::string outPath = workingFolder + "/.stdout";
    std::string errPath = workingFolder + "/.stderr";
    std::vector<char*> argv;
    std::string program = TARVIK_CLI;
    argv.push_back(program.data());
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t child = ::fork();
    if (child == 0) {
        int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 || ::chdir(workingFolder.c_str()) != 0)
            ::_exit(127);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    Finished result;
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    auto read = [](const std::string& path) {
        std::string text;
        if (FILE* f = std::fopen(path.c_str(), "rb")) {
            char buffer[4096];
            for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
                text.append(buffer, n);
            std::fclose(f);
        }
        return text;
    };
    result.out = read(outPath);
    result.err = read(errPath);
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    return result;
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
    Finished run = RunCli(work.Root(), { "--folder", "site", "--html", "out/report.html", "--failed-only", "-q" });
    EXPECT_EQ(run.status, 1) << run.err;
    std::string html = work.Read("out/report.html");
    EXPECT_TRUE(html.starts_with("<HTML><HEAD><TITLE>Tarvik Report - ")) << html;
    EXPECT_NE(html.find("<B><A HREF=\"gone.html\" TARGET=\"reportwin\">gone.html</A></B><BR>\r\n"), std::string::npos)
        << html;
    EXPECT_EQ(html.find("index.html"), std::string::npos) << "page headings are not failures";
    EXPECT_TRUE(html.ends_with("</BODY></HTML>\r\n"));
    EXPECT_NE(run.out.find("gone.html"), std::string::npos) << "the text report still goes to standard output";
}

TEST(CliHtmlReport, UnwritableTargetIsReportedWithStatus2AndNothingIsReplaced)
{
    TempSite work(brokenSite);
    std::filesystem::create_directory(work.Root() + "/taken");
    Finished run = RunCli(work.Root(), { "--folder", "site", "--html", "taken", "-q" });
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("Cannot write taken: "), std::string::npos) << run.err;
    EXPECT_TRUE(std::filesystem::is_directory(work.Root() + "/taken"));
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(work.Root()))
        ++entries;
    EXPECT_EQ(entries, 2) << "no temporary file is left beside the target";

    run = RunCli(work.Root(), { "--folder", "site", "--html", "no-folder/report.html", "-q" });
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("Cannot write no-folder/report.html: No such file or directory"), std::string::npos)
        << run.err;
}
