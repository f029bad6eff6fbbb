#include "cli/CliOptions.h"

#include <gtest/gtest.h>

namespace {

/// The options that take a value, as one text to compare.
std::string Values(const CliOptions& o)
{
    return "folder=" + o.folder + " start=" + o.startingFile + " report=" + o.reportFile + " json="
        + o.jsonFile + " html=" + o.htmlFile + " headers=" + o.headersFile + " base=" + o.choices.baseHRef
        + " external=" + std::to_string(int(o.choices.external)) + " timeout=" + std::to_string(o.timeout);
}

std::string ValuesOf(const std::vector<std::string>& args)
{
    std::string error;
    std::optional<CliOptions> o = ParseCommandLine(args, error);
    return o ? Values(*o) : "error: " + error;
}

}

TEST(CliOptionValues, AValueAfterAnEqualsSignIsTheSameAsTheNextArgument)
{
    struct Case {
        std::vector<std::string> attached;
        std::vector<std::string> separate;
    };
    const Case cases[] = {
        { { "--folder=site" }, { "--folder", "site" } },
        { { "--start=a=b.html" }, { "--start", "a=b.html" } },
        { { "--report=r.txt", "--json=r.json" }, { "--report", "r.txt", "--json", "r.json" } },
        { { "--html=r.html", "--headers=h.txt" }, { "--html", "r.html", "--headers", "h.txt" } },
        { { "--online=http://example.org" }, { "--online", "http://example.org" } },
        { { "--external=links", "--timeout=0" }, { "--external", "links", "--timeout", "0" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ValuesOf(c.attached), ValuesOf(c.separate)) << c.attached[0];

    // Only the attached form can give a value that looks like an option.
    std::string error;
    std::optional<CliOptions> o = ParseCommandLine({ "--report=--odd-name", "--start=--x.html" }, error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->reportFile, "--odd-name");
    EXPECT_EQ(o->startingFile, "--x.html");
}
