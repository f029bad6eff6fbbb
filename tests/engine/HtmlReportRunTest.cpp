#include "engine/AnalyseRun.h"

#include "platform/DateFormat.h"
#include "support/TempSite.h"

#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

/// Answers the run's questions from a script and records what it was asked.
class ScriptedHost : public RunHost {
public:
    bool answerYes = true;
    std::string savePath;
    std::vector<std::string> questions;
    std::vector<std::string> messages;
    std::vector<SaveRequest> saveRequests;

    void ProcessMessages() override { }
    bool AskYesNo(const std::string& question) override
    {
        questions.push_back(question);
        return answerYes;
    }
    YesAllNo AskYesAllNo(const std::string&) override { return YesAllNo::YesToAll; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::string ChooseSaveFile(const SaveRequest& request) override
    {
        saveRequests.push_back(request);
        return savePath;
    }
};

const TempSite::Files sampleSite = {
    { "index.html", "<html><body><a href=\"about.html\">a</a> <a href=\"missing.html\">m</a>"
                    "<img src=\"logo.gif\"></body></html>" },
    { "about.html", "<html><body><a href=\"index.html\">home</a></body></html>" },
    { "logo.gif", "GIF89a" },
};

struct FinishedRun {
    RunModels models;
    RunState state;
    RunOutcome outcome;

    FinishedRun(const TempSite& site, ScriptedHost& host, DialogChoices choices, WindowSettings settings = {},
        std::vector<std::string> files = { "index.html" })
    {
        RunRequest request;
        request.options = MakeRunOptions(choices, settings);
        request.folder = site.Root();
        request.selectedFiles = std::move(files);
        outcome = AnalyseRun(state, models, host).Run(request);
    }
};

DialogChoices WithHtml()
{
    DialogChoices choices;
    choices.htmlResults = true;
    return choices;
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
    ScriptedHost host;
    host.savePath = site.Root() + "/tarvik-report.html";
    std::tm before = DateFormat::LocalTime(std::time(nullptr));
    FinishedRun run(site, host, WithHtml());
    std::tm after = DateFormat::LocalTime(std::time(nullptr));

    EXPECT_EQ(host.questions, std::vector<std::string> { "Checking completed - create text report and HTML report?" });
    ASSERT_EQ(host.saveRequests.size(), 1u);
    EXPECT_EQ(host.saveRequests[0].fileName, "tarvik-report.html");
    EXPECT_EQ(host.saveRequests[0].extension, "html");
    EXPECT_EQ(host.saveRequests[0].title, "Save HTML Report");
    EXPECT_EQ(host.saveRequests[0].folder, site.Root());
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
    EXPECT_EQ(html[2], "</FONT><FONT COLOR=GREEN><B><I><A HREF=\"index.html\" TARGET=\"reportwin\">index.html</A></I></B><BR>");
    EXPECT_EQ(site.Read("tarvik-report.html"), run.models.Html.FileText());
}

TEST(HtmlReportRun, NoToTheClosingQuestionNeitherEndsNorOffersTheReport)
{
    TempSite site(sampleSite);
    ScriptedHost host;
    host.answerYes = false;
    host.savePath = site.Root() + "/tarvik-report.html";
    FinishedRun run(site, host, WithHtml());
    EXPECT_TRUE(host.saveRequests.empty());
    EXPECT_NE(run.models.Html.HtmlReportLines().back(), "</BODY></HTML>");
    EXPECT_FALSE(std::filesystem::exists(host.savePath));
}

TEST(HtmlReportRun, WithoutHtmlResultsTheReportIsEmptiedAndNotOffered)
{
    TempSite site(sampleSite);
    ScriptedHost host;
    host.savePath = site.Root() + "/tarvik-report.html";
    RunModels models;
    RunState state;
    RunRequest request;
    request.folder = site.Root();
    request.selectedFiles = { "index.html" };
    request.options = MakeRunOptions(WithHtml(), {});
    AnalyseRun(state, models, host).Run(request);
    request.options = MakeRunOptions({}, {});
    AnalyseRun(state, models, host).Run(request);

    EXPECT_EQ(host.questions.back(), "Checking completed - create text report?");
    EXPECT_EQ(host.saveRequests.size(), 1u);
    EXPECT_TRUE(models.Html.HtmlReportLines().empty());
}

TEST(HtmlReportRun, FailuresOnlyRunWithoutFailuresSavesHeadAndTail)
{
    TempSite site({ { "index.html", "<html><body><a href=\"index.html\">me</a></body></html>" } });
    ScriptedHost host;
    host.savePath = site.Root() + "/report.html";
    WindowSettings settings;
    settings.showFailedOnly = true;
    FinishedRun run(site, host, WithHtml(), settings);
    std::string saved = site.Read("report.html");
    const std::vector<std::string>& html = run.models.Html.HtmlReportLines();
    ASSERT_EQ(html.size(), 3u);
    EXPECT_EQ(saved, html[0] + "\r\n" + html[1] + "\r\n</BODY></HTML>\r\n");
}

TEST(HtmlReportRun, CancelledOrFailedSave)
{
    TempSite site(sampleSite);
    ScriptedHost cancel;
    FinishedRun cancelled(site, cancel, WithHtml());
    EXPECT_EQ(cancel.saveRequests.size(), 1u);
    EXPECT_FALSE(cancelled.outcome.htmlReportSaveFailed);
    EXPECT_TRUE(cancel.messages.empty());

    ScriptedHost unwritable;
    unwritable.savePath = site.Root() + "/no-such-folder/report.html";
    FinishedRun failed(site, unwritable, WithHtml());
    EXPECT_TRUE(failed.outcome.htmlReportSaveFailed);
    ASSERT_EQ(unwritable.messages.size(), 1u);
    EXPECT_NE(unwritable.messages[0].find("Cannot write " + unwritable.savePath), std::string::npos);
}

TEST(HtmlReportRun, SeparateReportsMakeOneHtmlReportOfTheWholeRun)
{
    TempSite site(sampleSite);
    ScriptedHost host;
    host.savePath = site.Root() + "/tarvik-report.html";
    DialogChoices choices = WithHtml();
    choices.separateReports = true;
    FinishedRun run(site, host, choices, {}, { "index.html", "about.html" });

    EXPECT_TRUE(host.questions.empty());
    std::string saved = site.Read("tarvik-report.html");
    EXPECT_NE(saved.find(">index.html</A></I></B><BR>"), std::string::npos);
    EXPECT_NE(saved.find(">about.html</A></I></B><BR>"), std::string::npos);
    EXPECT_NE(saved.find("=== ERRORS WERE REPORTED ==="), std::string::npos);
    EXPECT_NE(saved.find("|||||| No errors were reported ||||||"), std::string::npos);
    EXPECT_TRUE(saved.ends_with("</BODY></HTML>\r\n"));
}
