#include "platform/AtomicFile.h"

#include "support/TempSite.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <stdexcept>

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

namespace {

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}

TEST(AtomicFile, ASaveThatIsCutShortLeavesTheOldFileAndNoTemporaryOne)
{
    // Two saves at once, as the command line makes them, and a text that fails half-way.
    TempSite site({ { "a.json", "old a" }, { "b.txt", "old b" }, { "c.txt", "old c" } });
    std::promise<void> bothWriting;
    std::atomic<int> writing { 0 };
    std::promise<void> removed;
    std::shared_future<void> removedSeen = removed.get_future().share();
    auto heldSave = [&](const std::string& name) {
        return WriteFileAtomically(site.Root() + "/" + name, [&](const TextSink& sink) {
            sink("new");
            if (++writing == 2)
                bothWriting.set_value();
            removedSeen.wait();
        });
    };
    auto a = std::async(std::launch::async, heldSave, "a.json");
    auto b = std::async(std::launch::async, heldSave, "b.txt");
    bothWriting.get_future().wait();
    EXPECT_EQ(FilesIn(site.Root()).size(), 5u) << "each save writes a temporary file";
    RemovePartialSave(); // what a signal's handler does
    removed.set_value();
    EXPECT_NE(a.get(), "");
    EXPECT_NE(b.get(), "");

    EXPECT_THROW(WriteFileAtomically(site.Root() + "/c.txt",
                     [](const TextSink& sink) {
                         sink("half");
                         throw std::runtime_error("no more text");
                     }),
        std::runtime_error);
    EXPECT_EQ(FilesIn(site.Root()), (std::vector<std::string> { "a.json", "b.txt", "c.txt" }));
    EXPECT_EQ(site.Read("a.json"), "old a");
    EXPECT_EQ(site.Read("b.txt"), "old b");
    EXPECT_EQ(site.Read("c.txt"), "old c");
}
