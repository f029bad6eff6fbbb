#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const std::string Html = "<html><body>";

}

TEST(AnalyseRun, WritesTheWholeCombinedReport)
{
    TempSite site({ { "index.html", Html + "<img src=a.gif><img src=B.gif><a href=index.html><a href=x.html>"
                                           "<a href=\"mailto:me@example.com\"></html>" },
        { "a.gif", "" }, { "b.gif", "" } });
    SiteRun run;
    run.Run(site.Root(), {}, { "index.html" });
    EXPECT_EQ(run.host.questions, (std::vector<std::string> { "Checking completed - create text report?" }));
    EXPECT_EQ(run.Report(),
        "index.html\n"
        "    \n"
        "The selected file has the following 1 valid image link:\n"
        "            a.gif\n"
        "External images have not been checked\n"
        "\n"
        "The following image CANNOT BE FOUND (or the filename case was wrong):\n"
        "        B.gif (Case Mismatch)\n"
        "    ---------------------------\n"
        "The selected file contains this active link:\n"
        "            index.html\n"
        "The following external link has not been checked:\n"
        "            mailto:me@example.com\n"
        "\n"
        "The following link points to NON-EXISTENT pages (or the filname case was wrong):\n"
        "        x.html\n"
        "    =================================\n"
        "=== ERRORS WERE REPORTED ===\n"
        "    =================================\n"
        "    \n"
        "Total Response Time: T secs.\n"
        "    \n");
    EXPECT_EQ(run.outcome.errorCount, 2u);
    EXPECT_EQ(run.models.LinkGrid.RowCount(), 4u) << "the trailing blank row is trimmed at the end";
}

TEST(AnalyseRun, AnsweringNoWritesNoReport)
{
    TempSite site({ { "index.html", Html } });
    SiteRun run;
    run.host.closingAnswer = false;
    run.Run(site.Root(), {}, { "index.html" });
    EXPECT_EQ(run.Report(), "index.html\n");
}

TEST(AnalyseRun, SeparateReportsJudgeEachPageAlone)
{
    TempSite site({ { "a.html", Html + "<a href=gone.html><a href=\"http://x.example/\"></html>" },
        { "b.html", Html + "<a href=a.html></html>" } });
    RunOptions options;
    options.SeparateReports = true;
    SiteRun run;
    run.Run(site.Root(), options, { "a.html", "b.html" });
    EXPECT_TRUE(run.host.questions.empty());
    EXPECT_EQ(run.Report(),
        "a.html\n"
        "    \n"
        "The file has no valid images links.\n"
        "External images have not been checked\n"
        "    ---------------------------\n"
        "The file contains no active links (or all links are invalid)\n"
        "         NONE\n"
        "The following external link has not been checked:\n"
        "            http://x.example/\n"
        "\n"
        "The following link points to NON-EXISTENT pages (or the filname case was wrong):\n"
        "        gone.html\n"
        "    =================================\n"
        "=== ERRORS WERE REPORTED ===\n"
        "    =================================\n"
        "    \n"
        "b.html\n"
        "    \n"
        "The file has no valid images links.\n"
        "External images have not been checked\n"
        "    ---------------------------\n"
        "The file contains this active link:\n"
        "            a.html\n"
        "    ==============================\n"
        "|||||| No errors were reported ||||||\n"
        "    ==============================\n"
        "    \n"
        "    \n"
        "Total Response Time: T secs.\n"
        "    \n");
    EXPECT_EQ(run.outcome.errorCount, 1u);
}

TEST(AnalyseRun, PagesThatCannotBeReadAreFailuresAndNotAnalysed)
{
    TempSite site({ { "index.html", Html }, { "notes.txt", "" }, { "folder.html/x", "" } });
    SiteRun run;
    run.Run(site.Root(), {}, { "index.html", "notes.txt", "missing.html", "folder.html" });
    EXPECT_EQ(run.outcome.notAnalysed, (std::vector<std::string> { "notes.txt", "missing.html", "folder.html" }));
    EXPECT_EQ(SiteRun::Rows(run.models.LinkGrid), (std::vector<std::string> { "missing.html|FAILED: File not found||red",
                                                      "folder.html|FAILED: File not found||red" }));
    EXPECT_EQ(run.outcome.pagesAnalysed, 1u);
    EXPECT_NE(run.Report().find("The selected files contain no active links (or all links are invalid)\n"), std::string::npos);
}

TEST(AnalyseRun, PagesWithoutHtmlMarkersAreAskedAbout)
{
    TempSite site({ { "a.html", "<p><a href=x.html></p>" }, { "b.html", "<html><a href=y.html>" },
        { "c.html", "<HTML></html>" } });
    SiteRun declined;
    declined.host.nonHtmlAnswer = RunHost::YesAllNo::No;
    declined.Run(site.Root(), {}, { "a.html", "b.html", "c.html" });
    EXPECT_EQ(declined.outcome.notAnalysed, (std::vector<std::string> { "a.html", "b.html" }));
    EXPECT_EQ(declined.host.questions.front(),
        "'a.html' may not be an HTML file (no <HTML> tag). Do you still want to analyse it?");

    SiteRun all;
    all.host.nonHtmlAnswer = RunHost::YesAllNo::YesToAll;
    all.Run(site.Root(), {}, { "a.html", "b.html", "c.html" });
    EXPECT_TRUE(all.outcome.notAnalysed.empty());
    EXPECT_EQ(all.host.questions.size(), 2u) << "one HTML question, then the closing question";
}

TEST(AnalyseRun, WithoutASelectionTheStartingFileMustBeInTheFileList)
{
    TempSite site({ { "Index.HTML", Html } });
    SiteRun found;
    EXPECT_EQ(found.Run(site.Root(), {}, {}, "index.html").end, RunOutcome::End::Finished);

    SiteRun missing;
    EXPECT_EQ(missing.Run(site.Root(), {}, {}, "start.html").end, RunOutcome::End::NotStarted);
    EXPECT_EQ(missing.host.messages,
        (std::vector<std::string> { "To check files locally you must first select at least one file in the file list." }));
}

TEST(AnalyseRun, OnlyTheFirst500SelectedFilesAreChecked)
{
    TempSite site({ { "a.html", Html } });
    SiteRun run;
    run.Run(site.Root(), {}, std::vector<std::string>(501, "a.html"));
    EXPECT_EQ(run.host.messages,
        (std::vector<std::string> { "Cannot check more than 500 files at one time.\r\nOnly the first 500 will be checked." }));
    EXPECT_NE(run.Report().find("The selected files contain no active links"), std::string::npos);
}

TEST(AnalyseRun, AbortStopsAtTheNextTestAndReportsWhatRemains)
{
    TempSite site({ { "index.html", Html + "<a href=a.html><a href=b.html><a href=c.html></html>" },
        { "a.html", Html + "<img src=x.gif><img src=y.gif></html>" }, { "b.html", Html }, { "c.html", Html } });
    SiteRun run;
    run.host.onPump = [&](int) {
        if (run.state.CurrentPage == "a.html")
            run.state.AbortRequested = true;
    };
    run.Run(site.Root(), TraceOptions(), { "index.html" });
    EXPECT_EQ(run.outcome.end, RunOutcome::End::Aborted);
    EXPECT_EQ(run.host.questions, (std::vector<std::string> { "ABORTED BY USER - create partial text report?" }));
    EXPECT_NE(run.Report().find("The following 2 files were awaiting checking when aborted:\n"
                                "            b.html\n            c.html\n"),
        std::string::npos);
    EXPECT_TRUE(SiteRun::Rows(run.models.ImgGrid).empty());
}

TEST(AnalyseRun, HostileMarkupNeverStopsTheRun)
{
    std::string binary = "<html>";
    for (int i = 0; i < 4096; ++i)
        if (char c = char(i * 7); c != '<' && c != '>')
            binary += c;
    TempSite site({ { "index.html", Html + "<a href=b.html><a href=c.html><a href=d.html><a href=e.html></html>" },
        { "b.html", binary + std::string("\0<img src=\"a\0b.gif\">", 20) + "</html>" },
        { "c.html", Html + "<img src=\"" + std::string(100000, 'v') + "\"></html>" },
        { "d.html", Html + "<img src=ok.gif><!-- <img src=never.gif>" },
        { "e.html", Html + "<img src=\"tail.gif\"" } });
    SiteRun run;
    run.Run(site.Root(), TraceOptions(), { "index.html" });
    EXPECT_EQ(run.outcome.pagesAnalysed, 5u);
    EXPECT_EQ(SiteRun::ResultOf(run.models.ImgGrid, std::string("a\0b.gif", 7)), "NOT FOUND");
    EXPECT_EQ(SiteRun::ResultOf(run.models.ImgGrid, std::string(100000, 'v')), "NOT FOUND");
    EXPECT_EQ(SiteRun::ResultOf(run.models.ImgGrid, "never.gif"), "(no row)");
    EXPECT_EQ(SiteRun::ResultOf(run.models.ImgGrid, "tail.gif"), "(no row)");
}

TEST(AnalyseRun, TheTitleLabelShowsThePagesTitle)
{
    TempSite site({ { "index.html", "<html><head><TITLE>My Site</title></head></html>" } });
    SiteRun run;
    run.Run(site.Root(), {}, { "index.html" });
    EXPECT_EQ(run.models.Labels.Title(), "My Site");
}
