#include "platform/AtomicFile.h"

#include "support/TempSite.h"

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

std::size_t EntryCount(const std::string& folder)
{
    return std::size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

std::string Fifo(const TempSite& site)
{
    std::string path = site.Root() + "/fifo";
    ::mkfifo(path.c_str(), 0600);
    return path;
}

std::string LinkTo(const TempSite& site, const std::string& target)
{
    ::symlink(target.c_str(), (site.Root() + "/link").c_str());
    return site.Root() + "/link";
}

struct Case {
    const char* what;
    /// Makes the target in the site and returns its path.
    std::function<std::string(const TempSite&)> make;
    /// What follows "Cannot write PATH" when the save fails.
    std::string error;
    /// What the target is afterwards (a link followed), and whether it is still a link.
    fs::file_type type;
    bool link;
};

}

TEST(SaveTarget, EachKindOfTargetIsWrittenTheWayThatKeepsIt)
{
    const Case cases[] = {
        { "a new file", [](const TempSite& s) { return s.Root() + "/new.txt"; }, "", fs::file_type::regular,
            false },
        { "a link to a file",
            [](const TempSite& s) {
                s.Write("real.txt", "old");
                return LinkTo(s, s.Root() + "/real.txt");
            },
            "", fs::file_type::regular, true },
        { "a device", [](const TempSite&) { return std::string("/dev/null"); }, "", fs::file_type::character,
            false },
        { "a link to a device", [](const TempSite& s) { return LinkTo(s, "/dev/null"); }, "",
            fs::file_type::character, true },
        { "a FIFO nobody reads", Fifo, ": No such device or address", fs::file_type::fifo, false },
    };
    for (const Case& c : cases) {
        TempSite site;
        std::string path = c.make(site);
        std::size_t entries = EntryCount(site.Root()) + (fs::exists(fs::symlink_status(path)) ? 0 : 1);
        std::string error = WriteFileAtomically(path, "saved");
        EXPECT_EQ(error, c.error.empty() ? "" : "Cannot write " + path + c.error) << c.what;
        EXPECT_EQ(fs::status(path).type(), c.type) << c.what;
        EXPECT_EQ(fs::is_symlink(path), c.link) << c.what;
        if (c.type == fs::file_type::regular) {
            EXPECT_EQ(site.Read(fs::path(path).filename()), "saved") << c.what;
        }
        EXPECT_EQ(EntryCount(site.Root()), entries) << c.what << ": no temporary file";
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
    EXPECT_EQ(EntryCount(site.Root()), 1u);
    EXPECT_EQ(site.Read("report.txt"), "old");
}
