#include "report/ReportWriter.h"
#include "report/ResultGrid.h"
#include "report/TextReport.h"

#include <gtest/gtest.h>

namespace {

struct Report {
    ReportDocument document;
    ReportWriter writer { document };
    RunLabels labels;
    ResultLists lists;
    StringList pagesToCheck;

    std::string Sections(bool withImages, bool withLinks, ReportScope scope, std::size_t selected = 1)
    {
        TextReportInputs in { lists, pagesToCheck };
        in.selectionCount = selected;
        TextReport::WriteSections(writer, labels, in, withImages, withLinks, scope);
        return document.PlainText("\n");
    }
};

void Fill(StringList& list, int n, const std::string& stem)
{
    for (int i = 0; i < n; ++i)
        list.Add(stem + std::to_string(i) + ".html");
}

std::string HeadingAfterRule(const std::string& text)
{
    std::size_t rule = text.find("---------------------------\n");
    std::size_t start = rule + 28;
    return text.substr(start, text.find('\n', start) - start);
}

}

TEST(TextReport, ActiveImageWordingFollowsCountScopeAndSelection)
{
    struct Case {
        int images;
        std::size_t selected;
        ReportScope scope;
        const char* heading;
    } cases[] = {
        { 0, 1, ReportScope::WholeRun, "The selected file has no valid images links." },
        { 0, 2, ReportScope::WholeRun, "The selected files have no valid images links." },
        { 0, 2, ReportScope::OnePage, "The file has no valid images links." },
        { 1, 1, ReportScope::OnePage, "The file has the following 1 valid image link:" },
        { 12, 3, ReportScope::WholeRun, "The selected files have the following 12 valid image links:" },
        { 2, 0, ReportScope::WholeRun, "The selected files have the following 2 valid image links:" },
        { 2, 1, ReportScope::WholeRun, "The selected file has the following 2 valid image links:" },
    };
    for (const Case& c : cases) {
        Report r;
        Fill(r.lists.ValidImages, c.images, "i");
        std::string text = r.Sections(true, false, c.scope, c.selected);
        EXPECT_EQ(text.substr(5, text.find('\n', 5) - 5), c.heading) << c.images << " images, " << c.selected << " selected";
    }
}

TEST(TextReport, ActiveLinkWordingFollowsCountScopeAndSelection)
{
    struct Case {
        int links;
        std::size_t selected;
        ReportScope scope;
        const char* heading;
    } cases[] = {
        { 0, 1, ReportScope::OnePage, "The file contains no active links (or all links are invalid)" },
        { 1, 1, ReportScope::OnePage, "The file contains this active link:" },
        { 27, 2, ReportScope::WholeRun, "The selected files contain these 27 active links:" },
        { 1, 0, ReportScope::WholeRun, "The selected file contains this active link:" },
    };
    for (const Case& c : cases) {
        Report r;
        Fill(r.lists.ValidLinks, c.links, "l");
        EXPECT_EQ(HeadingAfterRule(r.Sections(false, true, c.scope, c.selected)), c.heading);
    }
    Report none;
    EXPECT_NE(none.Sections(false, true, ReportScope::OnePage).find("(or all links are invalid)\n         NONE\n"),
        std::string::npos);
}

TEST(TextReport, FailureSectionsCarryTheirExactWording)
{
    Report r;
    r.lists.MissingImages.Add("a.gif");
    r.lists.FailedLinks.Add("b.html");
    r.lists.FailedLinks.Add("c.html");
    r.lists.NotFoundExtLinks.Add("http://x/");
    r.lists.FailedExtLinks.Add("http://example.com/gone.html (Page not found)");
    r.lists.CommentedLinks.Add("old.html");
    r.lists.UncheckedExtLinks.Add("mailto:a@b");
    EXPECT_EQ(r.Sections(true, true, ReportScope::WholeRun),
        "    \n"
        "The selected file has no valid images links.\n"
        "External images have not been checked\n"
        "\n"
        "The following image CANNOT BE FOUND (or the filename case was wrong):\n"
        "        a.gif\n"
        "    ---------------------------\n"
        "The selected file contains no active links (or all links are invalid)\n"
        "         NONE\n"
        "The following external link has not been checked:\n"
        "            mailto:a@b\n"
        "\n"
        "The following 2 links point to NON-EXISTENT pages (or the filname case was wrong):\n"
        "        b.html\n"
        "        c.html\n"
        "\n"
        "The following  external link connected but failed to find document:\n"
        "        http://x/\n"
        "\n"
        "The following  external link failed\n"
        "        http://example.com/gone.html \n"
        "                           Reason: Page not found\n"
        "\n"
        "The following link is commented out:\n"
        "            old.html\n");
    EXPECT_EQ(r.labels.Status(), "");
}

TEST(TextReport, FailedExternalLinksWithoutAReasonAndInThePlural)
{
    Report r;
    r.lists.FailedExtLinks.Add("http://a/ (can't resolve hostname to IP address - 404)");
    r.lists.FailedExtLinks.Add("no reason here");
    std::string text = r.Sections(false, true, ReportScope::WholeRun);
    EXPECT_NE(text.find("The following 2 external links failed\n"
                        "        http://a/ \n"
                        "                           Reason: Can't resolve hostname to IP address - 404\n"
                        "        no reason here\n"
                        "                           Reason: \n"),
        std::string::npos)
        << text;
}

TEST(TextReport, UncheckedListsNeedListUncheckedAndExternalImagesMayBeReported)
{
    Report r;
    r.lists.UncheckedExtImages.Add("http://a/1.gif");
    r.lists.UncheckedExtImages.Add("http://a/2.gif");
    TextReportInputs in { r.lists, r.pagesToCheck };
    in.ReportExtImages = true;
    TextReport::WriteSections(r.writer, r.labels, in, true, false, ReportScope::WholeRun);
    EXPECT_NE(r.document.PlainText("\n").find("The following external image links have not been checked:\n"),
        std::string::npos);

    Report unlisted;
    unlisted.lists.UncheckedExtImages.Add("http://a/1.gif");
    TextReportInputs quiet { unlisted.lists, unlisted.pagesToCheck };
    quiet.ReportExtImages = true;
    quiet.ListUnchecked = false;
    TextReport::WriteSections(unlisted.writer, unlisted.labels, quiet, true, false, ReportScope::WholeRun);
    EXPECT_EQ(unlisted.document.PlainText("\n").find("not been checked"), std::string::npos);
}

TEST(TextReport, VerdictClosingBlockAndTotalTime)
{
    Report r;
    TextReport::WriteVerdict(r.writer, true);
    StringList notAnalysed;
    notAnalysed.Add("sub\\notes.txt");
    StringList unused;
    unused.Add("z.gif");
    unused.Add("A.gif");
    TextReport::WriteClosingBlock(r.writer, r.labels, notAnalysed, unused, true);
    TextReport::WriteTotalTime(r.writer, 12.44);
    EXPECT_EQ(r.document.PlainText("\r\n"),
        "    =================================\r\n"
        "=== ERRORS WERE REPORTED ===\r\n"
        "    =================================\r\n"
        "The following file was not analysed:\r\n"
        "    notes.txt\r\n"
        "    ===========================\r\n"
        "The following 2 files were not used:\r\n"
        "    A.gif\r\n"
        "    z.gif\r\n"
        "    \r\n"
        "Total Response Time: 12.4 secs.\r\n"
        "    \r\n");
    EXPECT_EQ(r.document.Lines()[1].sizeStep, 2);
    EXPECT_EQ(r.document.Lines()[1].colour, ReportColour::Red);
}

TEST(TextReport, OneUnusedFileAndTheAbortedQueue)
{
    Report r;
    StringList unused;
    unused.Add("only.gif");
    TextReport::WriteClosingBlock(r.writer, r.labels, StringList(), unused, true);
    r.pagesToCheck.Add("left.html");
    TextReportInputs in { r.lists, r.pagesToCheck };
    in.AbortRequested = true;
    TextReport::WriteSections(r.writer, r.labels, in, false, false, ReportScope::WholeRun);
    EXPECT_EQ(r.document.PlainText("\n"),
        "The following file was not used:\n"
        "    only.gif\n"
        "The following file was awaiting checking when aborted:\n"
        "            left.html\n");
}

TEST(ReportDocument, PlainTextIndentsNormalLinesAndSplitsLeadingLineBreaks)
{
    ReportDocument doc;
    doc.Append({ "", ReportStyle::Normal });
    doc.Append({ "\r\nHeading", ReportStyle::BoldItalic });
    doc.Append({ "item", ReportStyle::Normal });
    EXPECT_EQ(doc.PlainText("\r\n"), "    \r\n\r\nHeading\r\n    item\r\n");
}

TEST(ResultGrid, AlwaysEndsInOneBlankRowUntilTrimmed)
{
    ResultGrid grid("Link");
    EXPECT_EQ(grid.RowCount(), 2u);
    grid.TrimBlankRow();
    EXPECT_EQ(grid.RowCount(), 2u) << "a grid without results keeps its blank row";
    grid.FillLastRow("a.html", "OK", "index.html", RowColour::White);
    EXPECT_EQ(grid.RowCount(), 3u);
    EXPECT_TRUE(grid.Row(2).cells[0].empty());
    grid.TrimBlankRow();
    EXPECT_EQ(grid.RowCount(), 2u);
    EXPECT_EQ(grid.Row(0).cells[0], "Link");
}

TEST(ResultGrid, TellsItsObserverEveryChangeAScreenMustFollow)
{
    ResultGrid grid("Image");
    std::vector<std::string> seen;
    grid.SetObserver([&](const ResultGrid& g, ResultGrid::Change change, std::size_t row) {
        static const char* const names[] = { "reset", "changed", "appended", "removed" };
        seen.push_back(std::string(names[int(change)]) + " " + std::to_string(row) + "/" + std::to_string(g.RowCount()));
    });
    grid.FillLastRow("a.gif", "OK", "index.html", RowColour::White);
    grid.TrimBlankRow();
    grid.Reset();
    EXPECT_EQ(seen, (std::vector<std::string> { "changed 1/2", "appended 2/3", "removed 2/2", "reset 0/2" }));
}

TEST(ReportDocument, TellsItsObserverOfEveryLine)
{
    ReportDocument doc;
    std::size_t lines = 0;
    doc.SetObserver([&](const ReportDocument& d) { lines = d.Lines().size(); });
    doc.Append({ "index.html", ReportStyle::BoldItalic, 2, ReportColour::Green });
    EXPECT_EQ(lines, 1u);
    doc.Clear();
    EXPECT_EQ(lines, 0u);
}
