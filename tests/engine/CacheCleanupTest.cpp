#include "engine/DownloadCache.h"
#include "support/PrivateTemporary.h"
#include "support/TempSite.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <unistd.h>

using Texts = std::vector<std::string>;

TEST(DownloadCache, ACacheLeftByARunThatEndedIsRemovedButNotOneInUse)
{
    TempSite temporary;
    TemporaryFolderSetting setting(temporary.Root());
    std::string error;
    std::optional<DownloadCache> running = DownloadCache::Create(error);
    ASSERT_TRUE(running) << error;
    Texts inUse = PrivateTemporaryEntries(temporary.Root());
    ASSERT_EQ(inUse.size(), 1u);
    const std::string privateFolder = "tarvik-" + std::to_string(::geteuid());
    temporary.Write(privateFolder + "/cache-Killed/0123.htm", "page");
    temporary.Write(privateFolder + "/other/keep.txt", "");

    std::optional<DownloadCache> next = DownloadCache::Create(error);
    ASSERT_TRUE(next) << error;
    Texts entries = PrivateTemporaryEntries(temporary.Root());
    EXPECT_EQ(entries.size(), 3u);
    EXPECT_NE(std::find(entries.begin(), entries.end(), inUse[0]), entries.end());
    EXPECT_NE(std::find(entries.begin(), entries.end(), "other"), entries.end());
    EXPECT_EQ(std::find(entries.begin(), entries.end(), "cache-Killed"), entries.end());
}
