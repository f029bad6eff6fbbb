#include "platform/ProgramStart.h"

#include "support/TempSite.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <thread>
#include <unistd.h>

TEST(ProgramStart, ProgramGetsItsArgumentsAndNoneOfOurFiles)
{
    TempSite site;
    int inherited = ::fcntl(STDERR_FILENO, F_DUPFD, 50);
    ASSERT_GE(inherited, 50);
    std::string out = site.Root() + "/out";
    // The shell here is the program under test's stand-in, given its script as an argument.
    EXPECT_TRUE(StartProgram(
        { "sh", "-c", "{ ls /proc/self/fd; printf '%s\\n' \"$1\"; } > \"$2.tmp\"; mv \"$2.tmp\" \"$2\"", "sh",
            "a b;$(id)", out }));
    for (int i = 0; i < 500 && !std::filesystem::exists(out); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ::close(inherited);
    EXPECT_EQ(site.Read("out"), "0\n1\n2\n3\na b;$(id)\n");

    EXPECT_FALSE(StartProgram({ site.Root() + "/missing" }));
    EXPECT_FALSE(StartProgram({}));
}
