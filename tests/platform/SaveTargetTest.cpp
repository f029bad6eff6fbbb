#include "platform/AtomicFile.h"

#include "support/TempSite.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Entries(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

struct Case {
    const char* what;
    /// Makes the target in the site and returns its path.
    std::function<std::string(const TempSite&)> make;
    /// What follows "Cannot write PATH" when the save fails.
    std::string error;
    /// What the target is afterwards.
    fs::file_type type;
};

std::string Fifo(const TempSite& site)
{
    std::string path = site.Root() + "/fifo";
    ::mkfifo(path.c_str(), 0600);
    return path;
}

}

TEST(SaveTarget, EachKindOfTargetIsWrittenTheWayThatKeepsIt)
{
    const Case cases[] = {
        { "a new file", [](const TempSite& s) { return s.Root() + "/new.txt"; }, "", fs::file_type::regular },
        { "a device", [](const TempSite&) { return std::string("/dev/null"); }, "",
            fs::file_type::character },
        { "a link to a device",
            [](const TempSite& s) {
                ::symlink("/dev/null", (s.Root() + "/null").c_str());
                return s.Root() + "/null";
            },
            "", fs::file_type::character },
        { "a FIFO nobody reads", Fifo, ": No such device or address", fs::file_type::fifo },
    };
    for (const Case& c : cases) {
        TempSite site;
        std::string path = c.make(site);
        std::string error = WriteFileAtomically(path, "saved");
        EXPECT_EQ(error, c.error.empty() ? "" : "Cannot write " + path + c.error) << c.what;
        EXPECT_EQ(fs::status(path).type(), c.type) << c.what;
        if (c.type == fs::file_type::regular) {
            EXPECT_EQ(site.Read(fs::path(path).filename()), "saved") << c.what;
        }
        EXPECT_LE(Entries(site.Root()).size(), 1u) << c.what << ": no temporary file is left";
    }
}

TEST(SaveTarget, AFifoWithAReaderReceivesTheText)
{
    TempSite site;
    std::string path = Fifo(site);
    int reader = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(WriteFileAtomically(path, "saved"), "");
    char buffer[16] = {};
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), 5);
    EXPECT_STREQ(buffer, "saved");
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(path));
}

TEST(SaveTarget, ALinkToAFileKeepsTheLinkAndReplacesTheFile)
{
    TempSite site({ { "real/report.txt", "old" } });
    TempSite links;
    std::string link = links.Root() + "/report.txt";
    ASSERT_EQ(::symlink((site.Root() + "/real/report.txt").c_str(), link.c_str()), 0);
    EXPECT_EQ(WriteFileAtomically(link, "saved"), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(site.Read("real/report.txt"), "saved");
    EXPECT_EQ(Entries(site.Root() + "/real"), std::vector<std::string> { "report.txt" });
    EXPECT_EQ(Entries(links.Root()), std::vector<std::string> { "report.txt" });
}

namespace {

void RemovePartialSaveAndEnd(int)
{
    RemovePartialSave(), ::_exit(0);
}

}

TEST(SaveTarget, ASignalInTheMiddleOfASaveCanRemoveItsTemporaryFile)
{
    TempSite site({ { "report.txt", "old" } });
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Writing past the file size limit raises SIGXFSZ in the middle of the save.
        ::signal(SIGXFSZ, RemovePartialSaveAndEnd);
        rlimit limit { 4, 4 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        WriteFileAtomically(site.Root() + "/report.txt", std::string(4096, 'x'));
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save was cut short by the signal";
    EXPECT_EQ(Entries(site.Root()), std::vector<std::string> { "report.txt" });
    EXPECT_EQ(site.Read("report.txt"), "old");
}
