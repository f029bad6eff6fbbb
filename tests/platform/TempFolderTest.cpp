#include "platform/TempFolder.h"

#include "support/TempSite.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct TmpDirOverride {
    explicit TmpDirOverride(const std::string& dir) { ::setenv("TMPDIR", dir.c_str(), 1); }
    ~TmpDirOverride() { ::unsetenv("TMPDIR"); }
};

mode_t ModeOf(const std::string& path)
{
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st.st_mode;
}

}

TEST(TempFolder, IsAPrivateFolderAndIsReusedAcrossCalls)
{
    TempSite system;
    TmpDirOverride tmp(system.Root());
    std::string error;
    auto first = TempFolder::Private(error);
    ASSERT_TRUE(first) << error;
    EXPECT_EQ(first->back(), '/');
    EXPECT_EQ(ModeOf(*first) & 0777, 0700u);
    EXPECT_EQ(TempFolder::Private(error), first);
}

TEST(TempFolder, AFolderOpenToOthersOrASymlinkIsNotTrusted)
{
    TempSite system;
    TmpDirOverride tmp(system.Root());
    std::string planted = system.Root() + "/tarvik-" + std::to_string(::geteuid());
    ASSERT_EQ(::symlink(system.Root().c_str(), planted.c_str()), 0);
    std::string error;
    auto folder = TempFolder::Private(error);
    ASSERT_TRUE(folder) << error;
    EXPECT_NE(*folder, planted + "/");
    EXPECT_TRUE(S_ISDIR(ModeOf(*folder)));
    EXPECT_EQ(ModeOf(*folder) & 0777, 0700u);
}
