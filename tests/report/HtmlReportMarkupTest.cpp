#include "report/HtmlReport.h"

#include <gtest/gtest.h>

namespace {

std::string EntryOf(const std::string& text)
{
    HtmlReport html;
    html.Start(std::tm {});
    html.Add({ text, ReportStyle::Bold });
    return html.HtmlReportLines().back();
}

}

// Texts come from scanned pages and file names: whatever they hold must reach the
// reader as text, never as markup of the report.
TEST(HtmlReportMarkup, TextsAndLinkTargetsCannotAddMarkup)
{
    struct Case {
        std::string text;
        std::string content;
    };
    const Case cases[] = {
        { "<script>alert(1)</script>.html",
            "<A HREF=\"&lt;script&gt;alert(1)&lt;/script&gt;.html\" TARGET=\"reportwin\">"
            "&lt;script&gt;alert(1)&lt;/script&gt;.html</A>" },
        { "<img src=x onerror=alert(1)>.html",
            "<A HREF=\"&lt;img src=x onerror=alert(1)&gt;.html\" TARGET=\"reportwin\">"
            "&lt;img src=x onerror=alert(1)&gt;.html</A>" },
        { "fish&chips.html", "<A HREF=\"fish&amp;chips.html\" TARGET=\"reportwin\">fish&amp;chips.html</A>" },
        { "q\".html?a=1&b=<2>",
            "<A HREF=\"q%22.html?a=1&amp;b=&lt;2&gt;\" "
            "TARGET=\"reportwin\">q\".html?a=1&amp;b=&lt;2&gt;</A>" },
        { "<b>bold</b> & &nbsp;", "&lt;b&gt;bold&lt;/b&gt; &amp; &amp;nbsp;" },
        { "a > b", "a &gt; b" },
        { "&amp;", "&amp;amp;" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(EntryOf(c.text), "<B>" + c.content + "</B><BR>") << c.text;
}
