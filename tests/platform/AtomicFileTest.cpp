#include "platform/AtomicFile.h"

#include "support/TempSite.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(AtomicFile, ReplacesTheTargetAndLeavesNoTemporaryFile)
{
    TempSite site({ { "report.txt", "old" } });
    EXPECT_EQ(WriteFileAtomically(site.Root() + "/report.txt", "new\r\n"), "");
    EXPECT_EQ(site.Read("report.txt"), "new\r\n");
    int files = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(site.Root()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(AtomicFile, AnUnwritableTargetGivesAMessageAndKeepsTheOldFile)
{
    TempSite site({ { "report.txt", "old" } });
    std::string error = WriteFileAtomically(site.Root() + "/missing-folder/report.txt", "x");
    EXPECT_NE(error.find("Cannot write"), std::string::npos);
    EXPECT_NE(error.find("No such file or directory"), std::string::npos);
    EXPECT_NE(WriteFileAtomically(site.Root() + "/", "x"), "");
    EXPECT_EQ(site.Read("report.txt"), "old");
}
