#include "platform/RegularFile.h"

#include "support/TempSite.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Status = FileRead::Status;

struct Case {
    const char* what;
    /// Makes the file in the site and returns its path.
    std::function<std::string(const TempSite&)> make;
    Status status;
    std::string reason;
};

std::string Fifo(const TempSite& site)
{
    std::string path = site.Root() + "/fifo.html";
    ::mkfifo(path.c_str(), 0600);
    return path;
}

std::string Sized(const TempSite& site, std::size_t size)
{
    site.Write("page.html", "");
    std::string path = site.Root() + "/page.html";
    ::truncate(path.c_str(), off_t(size));
    return path;
}

}

TEST(RegularFile, OnlyRegularFilesWithinTheLimitAreRead)
{
    // A limit of 8 bytes here.
    const Case cases[] = {
        { "a regular file", [](const TempSite& s) { return Sized(s, 8); }, Status::Ok, "" },
        { "a file past the limit", [](const TempSite& s) { return Sized(s, 9); }, Status::TooLarge,
            "File too large" },
        { "a missing file", [](const TempSite& s) { return s.Root() + "/none.html"; }, Status::Missing,
            "File not found" },
        { "a FIFO without a writer", Fifo, Status::NotRegular, "Not a regular file" },
        { "an endless device", [](const TempSite&) { return std::string("/dev/zero"); }, Status::NotRegular,
            "Not a regular file" },
        { "a folder", [](const TempSite& s) { return s.Root(); }, Status::NotRegular, "Not a regular file" },
    };
    for (const Case& c : cases) {
        TempSite site;
        std::string content = "left over";
        FileRead read = ReadRegularFile(c.make(site), content, 8);
        EXPECT_EQ(read.status, c.status) << c.what;
        EXPECT_EQ(read.Reason(), c.reason) << c.what;
        EXPECT_EQ(content, c.status == Status::Ok ? std::string(8, '\0') : "") << c.what;
    }
}
