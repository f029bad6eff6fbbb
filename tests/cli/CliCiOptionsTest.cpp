#include "cli/CliOptions.h"

#include <gtest/gtest.h>

TEST(CliCiOptions, ResultFilesExclusionsAndTodaysMarkup)
{
    struct Case {
        std::vector<std::string> args;
        std::string parsed; // or "error: ..."
    };
    const Case cases[] = {
        { {}, "junit= sarif= html5=0 exclude=" },
        { { "--junit=j.xml", "--sarif", "s.json", "--html5" }, "junit=j.xml sarif=s.json html5=1 exclude=" },
        { { "--exclude", "^http:", "--exclude=a|b" }, "junit= sarif= html5=0 exclude=^http:,a|b," },
        { { "--exclude", "(" }, "error: --exclude: not a regular expression: ( (Unmatched ( or \\()" },
        { { "--html5=yes" }, "error: --html5 takes no value" },
        { { "--junit" }, "error: --junit needs a value" },
    };
    for (const Case& c : cases) {
        std::string error;
        std::optional<CliOptions> o = ParseCommandLine(c.args, error);
        std::string parsed = "error: " + error;
        if (o) {
            parsed = "junit=" + o->junitFile + " sarif=" + o->sarifFile + " html5=" + (o->html5 ? "1" : "0")
                + " exclude=";
            for (const std::string& e : o->exclusions)
                parsed += e + ",";
        }
        EXPECT_EQ(parsed, c.parsed) << (c.args.empty() ? "" : c.args[0]);
    }
}
