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

TEST(AtomicFile, ATextGivenInPiecesIsSavedWholeInTheirOrder)
{
    TempSite site({ { "results.json", "old" } });
    std::string expected;
    auto pieces = [&expected](const TextSink& sink) {
        for (int i = 0; i < 1000; ++i) {
            std::string piece = std::to_string(i) + std::string(std::size_t(i % 97), 'x') + "\n";
            expected += piece;
            sink(piece);
        }
    };
    EXPECT_EQ(WriteFileAtomically(site.Root() + "/results.json", pieces), "");
    EXPECT_EQ(site.Read("results.json"), expected);
}
