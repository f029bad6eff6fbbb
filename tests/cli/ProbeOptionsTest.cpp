#include "cli/CliOptions.h"

#include <gtest/gtest.h>

TEST(ProbeOptions, CountsAndWaitsAreReadWithinTheirRanges)
{
    struct Case {
        std::vector<std::string> args;
        std::string expected;
    };
    const Case cases[] = {
        { {}, "8 2 1 60" },
        { { "--jobs", "1", "--per-host=4" }, "1 4 1 60" },
        { { "--retries", "0", "--max-wait=0" }, "8 2 0 0" },
        { { "--jobs", "0" }, "--jobs takes a number from 1 to 256, not 0" },
        { { "--per-host", "2x" }, "--per-host takes a number from 1 to 256, not 2x" },
        { { "--retries", "11" }, "--retries takes a number from 0 to 10, not 11" },
        { { "--max-wait", "-1" }, "--max-wait takes a number of seconds from 0 to 86400, not -1" },
    };
    for (const Case& c : cases) {
        std::string error;
        std::optional<CliOptions> o = ParseCommandLine(c.args, error);
        const std::string got = o ? std::to_string(o->probes.jobs) + " " + std::to_string(o->probes.perHost)
                + " " + std::to_string(o->probes.retries) + " " + std::to_string(o->probes.maxWait)
                                  : error;
        EXPECT_EQ(got, c.expected);
    }
}
