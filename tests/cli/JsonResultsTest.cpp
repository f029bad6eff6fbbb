#include "cli/JsonResults.h"

#include <gtest/gtest.h>

namespace {

const std::string replacement = "\xef\xbf\xbd";

}

TEST(JsonResults, StringsKeepValidUtf8AndReplaceEveryOtherByte)
{
    struct Case {
        std::string bytes;
        std::string literal;
    };
    const Case cases[] = {
        { "plain.html", "\"plain.html\"" },
        { "a\x7f" "b\"c d", "\"a\x7f" "b\\\"c d\"" },
        { "a\"b\\c", "\"a\\\"b\\\\c\"" },
        { std::string("\x01\x1f\n\0", 4), "\"\\u0001\\u001f\\u000a\\u0000\"" },
        { "\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", "\"\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\"" },
        { "caf\xe9.html", "\"caf" + replacement + ".html\"" },
        { "\xff", "\"" + replacement + "\"" },
        { "\x80", "\"" + replacement + "\"" },
        // Cut short, overlong, a UTF-16 surrogate, past U+10FFFF: one replacement a byte.
        { std::string("\xe2\x82") + "A", "\"" + replacement + replacement + "A\"" },
        { "\xc0\xaf", "\"" + replacement + replacement + "\"" },
        { "\xed\xa0\x80", "\"" + replacement + replacement + replacement + "\"" },
        { "\xf4\x90\x80\x80", "\"" + replacement + replacement + replacement + replacement + "\"" },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JsonString(c.bytes), c.literal) << testing::PrintToString(c.bytes);
        std::string appended;
        // No case holds U+FFFD itself: a replacement shows bytes that were not UTF-8.
        bool utf8 = AppendJsonString(appended, c.bytes);
        EXPECT_EQ(utf8, appended.find(replacement) == std::string::npos) << testing::PrintToString(c.bytes);
    }
}

// A replaced byte cannot be told from U+FFFD itself, so the exact bytes of such a cell
// go beside it in base64: a consumer can still find the file.
TEST(JsonResults, ACellThatIsNotUtf8CarriesItsExactBytes)
{
    ResultGrid links("Link");
    links.Reset();
    links.FillLastRow("caf\xe9.html", "NOT FOUND", "index.html", RowColour::Red);
    links.FillLastRow("ok.html", "OK", "x\xe9y.html", RowColour::White);
    links.FillLastRow("\xc3\xa9t\xc3\xa9.html", "a\xfe", "\xff", RowColour::White);
    ResultGrid images("Image");
    images.Reset();
    RunOutcome outcome;
    outcome.notAnalysed = { "good.html", "dir\xe9/page.html" };
    outcome.unused = { "u.html" };

    std::string json = ResultsJson(links, images, ReferencePlaces(), outcome);
    const std::string expected[] = {
        "{\"ref\": \"caf" + replacement
            + ".html\", \"refBytes\": \"Y2Fm6S5odG1s\", \"result\": \"NOT FOUND\", "
              "\"inFile\": \"index.html\", \"secs\": \"\", \"colour\": \"red\"}",
        "{\"ref\": \"ok.html\", \"result\": \"OK\", \"inFile\": \"x" + replacement
            + "y.html\", \"inFileBytes\": \"eOl5Lmh0bWw=\", \"secs\": \"\", \"colour\": \"white\"}",
        "{\"ref\": \"\xc3\xa9t\xc3\xa9.html\", \"result\": \"a" + replacement
            + "\", \"resultBytes\": \"Yf4=\", \"inFile\": \"" + replacement
            + "\", \"inFileBytes\": \"/w==\", \"secs\": \"\", \"colour\": \"white\"}",
        "\"notAnalysed\": [\"good.html\", \"dir" + replacement
            + "/page.html\"],\n  \"notAnalysedBytes\": [null, \"ZGly6S9wYWdlLmh0bWw=\"],\n  \"unused\": "
              "[\"u.html\"]\n",
    };
    for (const std::string& part : expected)
        EXPECT_NE(json.find(part), std::string::npos) << part << "\nin\n" << json;
    EXPECT_EQ(json.find("unusedBytes"), std::string::npos) << "only where a name is not UTF-8";
}
