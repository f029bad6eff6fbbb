#include "platform/DateFormat.h"
#include "support/SiteRun.h"
#include "support/TempSite.h"

#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

const TempSite::Files sampleSite = {
    { "index.html",
        "<html><body><a href=\"about.html\">a</a> <a href=\"missing.html\">m</a>"
        "<img src=\"logo.gif\"></body></html>" },
    { "about.html", "<html><body><a href=\"index.html\">home</a></body></html>" },
    { "logo.gif", "GIF89a" },
};

RunOptions WithHtml()
{
    RunOptions options;
    options.HtmlResults = true;
    return options;
}

std::string Title(const std::tm& when)
{
    return "<HTML><HEAD><TITLE>Tarvik Report - " + DateFormat::Format("ddd d mmmm yyyy", when) + " at "
        + DateFormat::Format("hh:nn", when) + "</TITLE><BASE TARGET=\"reportwin\"></HEAD>";
}

}

TEST(HtmlReportRun, EveryReportLineGoesIntoTheSavedReport)
{
    TempSite site(sampleSite);
    SiteRun run;
    run.host.savePath = site.Root() + "/tarvik-report.html";
    std::tm before = DateFormat::LocalTime(std::time(nullptr));
    run.Run(site.Root(), WithHtml(), { "index.html" });
    std::tm after = DateFormat::LocalTime(std::time(nullptr));

    EXPECT_EQ(run.host.questions,
        std::vector<std::string> { "Checking completed - create text report and HTML report?" });
    ASSERT_EQ(run.host.saveRequests.size(), 1u);
    EXPECT_EQ(run.host.saveRequests[0].fileName, "tarvik-report.html");
    EXPECT_EQ(run.host.saveRequests[0].extension, "html");
    EXPECT_EQ(run.host.saveRequests[0].title, "Save HTML Report");
    EXPECT_EQ(run.host.saveRequests[0].folder, site.Root());
    EXPECT_FALSE(run.outcome.htmlReportSaveFailed);

    const std::vector<std::string>& html = run.models.Html.HtmlReportLines();
    ASSERT_GE(html.size(), 3u);
    EXPECT_TRUE(html[0] == Title(before) || html[0] == Title(after)) << html[0];
    EXPECT_EQ(html.back(), "</BODY></HTML>");
    // One entry per report line, and a line-break entry before each line that starts one.
    std::size_t breaks = 0;
    for (const ReportLine& line : run.models.Report.Lines())
        breaks += !line.text.empty() && line.text[0] == '\r' ? 1 : 0;
    EXPECT_EQ(html.size(), 2 + run.models.Report.Lines().size() + breaks + 1);
    EXPECT_EQ(html[2],
        "</FONT><FONT COLOR=GREEN><B><I><A HREF=\"index.html\" "
        "TARGET=\"reportwin\">index.html</A></I></B><BR>");
    EXPECT_EQ(site.Read("tarvik-report.html"), run.models.Html.FileText());
}

TEST(HtmlReportRun, NoToTheClosingQuestionNeitherEndsNorOffersTheReport)
{
    TempSite site(sampleSite);
    SiteRun run;
    run.host.closingAnswer = false;
    run.host.savePath = site.Root() + "/tarvik-report.html";
    run.Run(site.Root(), WithHtml(), { "index.html" });
    EXPECT_TRUE(run.host.saveRequests.empty());
    EXPECT_NE(run.models.Html.HtmlReportLines().back(), "</BODY></HTML>");
    EXPECT_FALSE(std::filesystem::exists(run.host.savePath));
}

TEST(HtmlReportRun, WithoutHtmlResultsTheReportIsEmptiedAndNotOffered)
{
    TempSite site(sampleSite);
    SiteRun run;
    run.host.savePath = site.Root() + "/tarvik-report.html";
    run.Run(site.Root(), WithHtml(), { "index.html" });
    run.Run(site.Root(), RunOptions {}, { "index.html" });

    EXPECT_EQ(run.host.questions.back(), "Checking completed - create text report?");
    EXPECT_EQ(run.host.saveRequests.size(), 1u);
    EXPECT_TRUE(run.models.Html.HtmlReportLines().empty());
}

TEST(HtmlReportRun, FailuresOnlyRunWithoutFailuresSavesHeadAndTail)
{
    TempSite site({ { "index.html", "<html><body><a href=\"index.html\">me</a></body></html>" } });
    SiteRun run;
    run.host.savePath = site.Root() + "/report.html";
    RunOptions options = WithHtml();
    options.ShowFailedOnly = true;
    run.Run(site.Root(), options, { "index.html" });
    const std::vector<std::string>& html = run.models.Html.HtmlReportLines();
    ASSERT_EQ(html.size(), 3u);
    EXPECT_EQ(site.Read("report.html"), html[0] + "\r\n" + html[1] + "\r\n</BODY></HTML>\r\n");
}

TEST(HtmlReportRun, CancelledOrFailedSave)
{
    TempSite site(sampleSite);
    SiteRun cancelled;
    cancelled.Run(site.Root(), WithHtml(), { "index.html" });
    EXPECT_EQ(cancelled.host.saveRequests.size(), 1u);
    EXPECT_FALSE(cancelled.outcome.htmlReportSaveFailed);
    EXPECT_TRUE(cancelled.host.messages.empty());

    SiteRun failed;
    failed.host.savePath = site.Root() + "/no-such-folder/report.html";
    failed.Run(site.Root(), WithHtml(), { "index.html" });
    EXPECT_TRUE(failed.outcome.htmlReportSaveFailed);
    ASSERT_EQ(failed.host.messages.size(), 1u);
    EXPECT_NE(failed.host.messages[0].find("Cannot write " + failed.host.savePath), std::string::npos);
}

TEST(HtmlReportRun, SeparateReportsMakeOneHtmlReportOfTheWholeRun)
{
    TempSite site(sampleSite);
    SiteRun run;
    run.host.savePath = site.Root() + "/tarvik-report.html";
    RunOptions options = WithHtml();
    options.SeparateReports = true;
    run.Run(site.Root(), options, { "index.html", "about.html" });

    EXPECT_TRUE(run.host.questions.empty());
    std::string saved = site.Read("tarvik-report.html");
    EXPECT_NE(saved.find(">index.html</A></I></B><BR>"), std::string::npos);
    EXPECT_NE(saved.find(">about.html</A></I></B><BR>"), std::string::npos);
    EXPECT_NE(saved.find("=== ERRORS WERE REPORTED ==="), std::string::npos);
    EXPECT_NE(saved.find("|||||| No errors were reported ||||||"), std::string::npos);
    EXPECT_TRUE(saved.ends_with("</BODY></HTML>\r\n"));
}
