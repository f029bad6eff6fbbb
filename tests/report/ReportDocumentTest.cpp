#include "report/ReportDocument.h"

#include <gtest/gtest.h>

#include <string>

TEST(ReportDocument, KeepsItsOwnCopyOfEveryLineText)
{
    // Each line is appended from a text that is gone before the document is read.
    const std::string lines[] = { "", "        short", "\r\nThe following link:", std::string(40000, 'L'),
        std::string("a\0b", 3), "Bold" };
    ReportDocument document;
    for (int round = 0; round < 2; ++round) {
        document.Clear();
        std::string expected;
        for (const std::string& text : lines) {
            ReportStyle style = text == "Bold" ? ReportStyle::Bold : ReportStyle::Normal;
            document.Append({ std::string(text), style, 0, ReportColour::Black, KeepWhenFailedOnly::No });
            std::string shown = (style == ReportStyle::Normal ? "    " : "") + text;
            for (std::size_t at; (at = shown.find("\r\n")) != std::string::npos;)
                shown.replace(at, 2, "|");
            expected += shown + "|";
        }
        EXPECT_EQ(document.PlainText("|"), expected);
        ASSERT_EQ(document.Lines().size(), std::size(lines));
        EXPECT_EQ(document.Lines()[3].text, lines[3]);
    }
}
