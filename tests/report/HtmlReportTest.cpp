#include "report/HtmlReport.h"

#include "report/ReportWriter.h"
#include "report/TextReport.h"

#include <gtest/gtest.h>

namespace {

const std::string nbsp = "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";
const std::string head = "<HTML><HEAD><TITLE>Tarvik Report - Tue 8 December 2026 at 09:05</TITLE>"
                         "<BASE TARGET=\"reportwin\"></HEAD>\r\n"
                         "<BODY LEFTMARGIN=30 LINK=BLACK VLINK=GRAY><H2><FONT COLOR=RED><CENTER>"
                         "Tarvik Report - Tue 8 December 2026 at 09:05</CENTER></FONT></H2>\r\n";
const std::string tail = "</BODY></HTML>\r\n";

std::tm RunStart()
{
    std::tm t {};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 8;
    t.tm_wday = 2;
    t.tm_hour = 9;
    t.tm_min = 5;
    return t;
}

std::string Link(const std::string& target)
{
    return "<A HREF=\"" + target + "\" TARGET=\"reportwin\">" + target + "</A>";
}

/// A combined run over one page with a valid, a missing image, two valid links, an
/// unchecked external link, a failed local link and a failed external link, written
/// through the report's real wording.
std::string ReportOfSampleRun(bool failedOnly)
{
    ReportDocument document;
    ReportWriter writer(document);
    HtmlReport html;
    html.SetShowFailedOnly(failedOnly);
    html.Start(RunStart());
    writer.SetHtmlReport(&html);

    ResultLists lists;
    lists.ValidImages.Add("images/logo.gif");
    lists.MissingImages.Add("images/Missing.gif (Case Mismatch)");
    lists.ValidLinks.Add("about.html");
    lists.ValidLinks.Add("news.html#top");
    lists.UncheckedExtLinks.Add("http://www.example.com/");
    lists.FailedLinks.Add("contact.htm");
    lists.FailedExtLinks.Add("http://www.example.com/gone.html (page not found)");
    StringList pagesToCheck;
    RunLabels labels;
    TextReportInputs in { lists, pagesToCheck };
    in.selectionCount = 1;

    TextReport::WritePageHeading(writer, "index.html");
    TextReport::WriteSections(writer, labels, in, true, true, ReportScope::WholeRun);
    TextReport::WriteVerdict(writer, lists.RunErrorCount() > 0);
    TextReport::WriteTotalTime(writer, 0.4);
    html.End();
    return html.FileText();
}

}

TEST(HtmlReport, RunWithImagesAndLinks)
{
    std::string black = "</FONT><FONT COLOR=BLACK>";
    std::string blue = "</FONT><FONT COLOR=BLUE>";
    std::string red = "</FONT><FONT COLOR=RED>";
    std::string expected = head + "</FONT><FONT COLOR=GREEN><B><I>" + Link("index.html") + "</I></B><BR>\r\n"
        + "<BR>\r\n\r\n" + blue + "<B>The selected file has the following 1 valid image link:</B><BR>\r\n"
        + nbsp + black + nbsp + "images/logo.gif<BR>\r\n" + blue
        + "<B>External images have not been checked</B><BR>\r\n" + "<BR>\r\n\r\n" + red
        + "<B><I>The following image CANNOT BE FOUND (or the filename case was wrong):</I></B><BR>\r\n" + nbsp
        + "<B>images/Missing.gif (Case Mismatch)</B><BR>\r\n" + black + nbsp
        + "---------------------------<BR>\r\n" + blue
        + "<B>The selected file contains these 2 active links:</B><BR>\r\n" + nbsp + black + nbsp
        + Link("about.html") + "<BR>\r\n" + nbsp + nbsp + Link("news.html#top") + "<BR>\r\n" + blue
        + "<B>The following external link has not been checked:</B><BR>\r\n" + nbsp + black + nbsp
        + Link("http://www.example.com/") + "<BR>\r\n" + "<BR>\r\n\r\n" + red
        + "<B><I>The following link points to NON-EXISTENT pages (or the filname case was "
          "wrong):</I></B><BR>\r\n"
        + nbsp + "<B>" + Link("contact.htm") + "</B><BR>\r\n" + "<BR>\r\n\r\n"
        + "<B><I>The following  external link failed</I></B><BR>\r\n" + nbsp + "<B>"
        + Link("http://www.example.com/gone.html") + "</B><BR>\r\n" + nbsp + black + nbsp
        + "Reason: Page not found<BR>\r\n" + nbsp + "=================================<BR>\r\n" + red
        + "<B>=== ERRORS WERE REPORTED ===</B><BR>\r\n" + black + nbsp
        + "=================================<BR>\r\n" + "<BR>\r\n\r\n"
        + "<B>Total Response Time: 0.4 secs.</B><BR>\r\n" + "<BR>\r\n\r\n" + tail;
    EXPECT_EQ(ReportOfSampleRun(false), expected);
}

TEST(HtmlReport, FailuresOnlyRunKeepsTheFailureSectionsBetweenHeadAndTail)
{
    std::string expected = head + "<BR>\r\n\r\n"
        + "</FONT><FONT COLOR=RED><B><I>The following image CANNOT BE FOUND (or the filename case was "
          "wrong):</I></B><BR>\r\n"
        + nbsp + "<B>images/Missing.gif (Case Mismatch)</B><BR>\r\n" + "<BR>\r\n\r\n"
        + "<B><I>The following link points to NON-EXISTENT pages (or the filname case was "
          "wrong):</I></B><BR>\r\n"
        + nbsp + "<B>" + Link("contact.htm") + "</B><BR>\r\n" + "<BR>\r\n\r\n"
        + "<B><I>The following  external link failed</I></B><BR>\r\n" + nbsp + "<B>"
        + Link("http://www.example.com/gone.html") + "</B><BR>\r\n" + nbsp + "</FONT><FONT COLOR=BLACK>"
        + nbsp + "Reason: Page not found<BR>\r\n" + tail;
    EXPECT_EQ(ReportOfSampleRun(true), expected);
}

TEST(HtmlReport, FailuresOnlyRunWithoutFailuresHoldsHeadAndTailOnly)
{
    ReportDocument document;
    ReportWriter writer(document);
    HtmlReport html;
    html.SetShowFailedOnly(true);
    html.Start(RunStart());
    writer.SetHtmlReport(&html);
    ResultLists lists;
    lists.ValidLinks.Add("about.html");
    StringList pagesToCheck;
    RunLabels labels;
    TextReport::WritePageHeading(writer, "index.html");
    TextReport::WriteSections(writer, labels, { lists, pagesToCheck }, true, true, ReportScope::WholeRun);
    TextReport::WriteVerdict(writer, false);
    TextReport::WriteTotalTime(writer, 1.0);
    html.End();
    EXPECT_EQ(html.FileText(), head + tail);
}

TEST(HtmlReport, RememberedColourStartsBlackInEveryReport)
{
    HtmlReport html;
    html.Start(RunStart());
    html.Add({ "first", ReportStyle::Normal });
    EXPECT_EQ(html.HtmlReportLines().back(), nbsp + "first<BR>");

    html.Add({ "red", ReportStyle::Bold, 0, ReportColour::Red });
    html.Start(RunStart());
    html.Add({ "        gray first", ReportStyle::Normal, 0, ReportColour::Gray });
    html.End();
    EXPECT_EQ(html.FileText(), head + nbsp + "</FONT><FONT COLOR=GRAY>" + nbsp + "gray first<BR>\r\n" + tail);
}

TEST(HtmlReport, AddressWithTrailingExplanationBecomesOneLink)
{
    HtmlReport html;
    html.Start(RunStart());
    html.Add({ "        http://www.example.com/Old.html (Case Mismatch)", ReportStyle::Bold, 1,
        ReportColour::Red, KeepWhenFailedOnly::Yes });
    html.End();
    EXPECT_EQ(html.FileText(),
        head + nbsp + "</FONT><FONT COLOR=RED><B>" + Link("http://www.example.com/Old.html (Case Mismatch)")
            + "</B><BR>\r\n" + tail);
}

TEST(HtmlReport, WhichTextsBecomeLinks)
{
    struct Case {
        std::string text;
        std::string content;
    };
    const Case cases[] = {
        { "docs/Guide.html", Link("docs/Guide.html") },
        { "C:\\site\\index.htm", Link("C:\\site\\index.htm") },
        { "menu.shtml", Link("menu.shtml") },
        { "https://example.org/", Link("https://example.org/") },
        { "see http:x", Link("see http:x") },
        // The marks are matched with their letter case as written.
        { "INDEX.HTM", "INDEX.HTM" },
        { "HTTP://EXAMPLE.ORG/", "HTTP://EXAMPLE.ORG/" },
        { "page.htmx", Link("page.htmx") },
        { "logo.gif", "logo.gif" },
        { "mailto:me@example.org", "mailto:me@example.org" },
        { "a & b <i>", "a &amp; b &lt;i&gt;" },
        { "\t a.html \x01", Link("a.html") },
        { "\xe9t\xe9.html", Link("\xe9t\xe9.html") },
    };
    for (const Case& c : cases) {
        HtmlReport html;
        html.Start(RunStart());
        html.Add({ c.text, ReportStyle::Bold });
        EXPECT_EQ(html.HtmlReportLines().back(), "<B>" + c.content + "</B><BR>") << c.text;
    }
}

TEST(HtmlReport, QuoteInALinkTargetCannotEndTheHrefAttribute)
{
    HtmlReport html;
    html.Start(RunStart());
    html.Add({ "        x.html\" onmouseover=\"alert(1)", ReportStyle::Normal });
    EXPECT_EQ(html.HtmlReportLines().back(),
        nbsp + nbsp
            + "<A HREF=\"x.html%22 onmouseover=%22alert(1)\" TARGET=\"reportwin\">x.html\" "
              "onmouseover=\"alert(1)</A><BR>");
}

TEST(HtmlReport, LineBreaksAndIndents)
{
    struct Case {
        ReportLine line;
        std::vector<std::string> entries;
    };
    const Case cases[] = {
        { { "" }, { "<BR>\r\n" } },
        { { "\r\n" }, { "<BR>\r\n" } },
        { { "\n" }, { "<BR>\r\n" } },
        { { "\r" }, { "<BR>\r\n" } },
        { { "\r\nHeading", ReportStyle::BoldItalic }, { "<BR>\r\n", "<B><I>Heading</I></B><BR>" } },
        { { "     NONE" }, { nbsp + nbsp + "NONE<BR>" } },
        { { "    four" }, { nbsp + "four<BR>" } },
        { { "        item", ReportStyle::Bold }, { nbsp + "<B>item</B><BR>" } },
        { { "     ", ReportStyle::Bold }, { nbsp + "<B></B><BR>" } },
    };
    for (const Case& c : cases) {
        HtmlReport html;
        html.Start(RunStart());
        html.Add(c.line);
        std::vector<std::string> added(html.HtmlReportLines().begin() + 2, html.HtmlReportLines().end());
        EXPECT_EQ(added, c.entries) << c.line.text;
    }
}

TEST(HtmlReport, FailuresOnlySettingIsReadAtEachLine)
{
    ReportDocument document;
    ReportWriter writer(document);
    HtmlReport html;
    html.Start(RunStart());
    writer.SetHtmlReport(&html);
    writer.WriteReportLine("kept before", ReportStyle::Bold, 0, ReportColour::Black);
    html.SetShowFailedOnly(true);
    writer.WriteReportLine("dropped", ReportStyle::Bold, 0, ReportColour::Black);
    writer.WriteReportLine("failure", ReportStyle::Bold, 0, ReportColour::Black, KeepWhenFailedOnly::Yes);
    writer.SetHtmlReport(nullptr);
    writer.WriteReportLine(
        "after the report", ReportStyle::Bold, 0, ReportColour::Black, KeepWhenFailedOnly::Yes);

    EXPECT_EQ(html.FileText(), head + "<B>kept before</B><BR>\r\n<B>failure</B><BR>\r\n");
    EXPECT_EQ(document.Lines().size(), 4u);
}
