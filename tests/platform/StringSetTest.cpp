#include "platform/StringSet.h"

#include <gtest/gtest.h>

TEST(StringSet, KeepsEachTextOnceLetterCaseCountingAcrossGrowth)
{
    StringSet set;
    EXPECT_TRUE(set.Insert(""));
    EXPECT_FALSE(set.Insert(""));
    EXPECT_TRUE(set.Insert("pic.gif"));
    EXPECT_TRUE(set.Insert("PIC.GIF"));
    for (int i = 0; i < 5000; ++i)
        ASSERT_TRUE(set.Insert("0|dir/page-" + std::to_string(i) + ".html"));
    for (int i = 0; i < 5000; ++i)
        ASSERT_FALSE(set.Insert("0|dir/page-" + std::to_string(i) + ".html"));
    EXPECT_EQ(set.Count(), 5003u);
    EXPECT_FALSE(set.Insert("pic.gif"));
    EXPECT_TRUE(set.Insert("0|dir/page-1.htm"));
    set.Clear();
    EXPECT_EQ(set.Count(), 0u);
    EXPECT_TRUE(set.Insert("pic.gif"));
}
