#include "platform/CaseFold.h"

#include <gtest/gtest.h>

TEST(CaseFold, FoldsOnlyAsciiLettersSoUtf8StaysIntact)
{
    EXPECT_EQ(CaseFold::UpperCase("caf\xc3\xa9.html"), "CAF\xc3\xa9.HTML");
    EXPECT_EQ(CaseFold::LowerCase("\xc3\x89T\xc3\x89"), "\xc3\x89t\xc3\x89");
}

TEST(CaseFold, FindIgnoringCase)
{
    EXPECT_EQ(CaseFold::FindIgnoringCase("<img SRC=x>", "src"), 5u);
    EXPECT_EQ(CaseFold::FindIgnoringCase("abc", "abcd"), std::string_view::npos);
    EXPECT_EQ(CaseFold::FindIgnoringCase("abcabc", "ABC", 1), 3u);
    EXPECT_EQ(CaseFold::FindIgnoringCase("abc", "x", 7), std::string_view::npos);
}

TEST(CaseFold, CompareSortsPunctuationBeforeLetters)
{
    EXPECT_LT(CaseFold::CompareIgnoringCase("a_b", "AAB"), 0);
    EXPECT_EQ(CaseFold::CompareIgnoringCase("Index.HTML", "index.html"), 0);
    EXPECT_LT(CaseFold::CompareIgnoringCase("a", "a.gif"), 0);
}
