#include "platform/CaseFold.h"

#include <cstring>

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

TEST(CaseFold, CompareAndEqualFoldOnlyLettersAtEveryPositionOfLongTexts)
{
    // Texts longer than a word, differing before, at and after a word's end.
    struct Case {
        std::string_view a, b;
        int order;
    };
    const Case cases[] = {
        { "a_b", "AAB", -1 }, // '_' lies between 'Z' and 'a'
        { "Index.HTML", "index.html", 0 },
        { "a", "a.gif", -1 },
        { "", "", 0 },
        { "pages/chapter-01/Intro.html", "PAGES/Chapter-01/intro.HTML", 0 },
        { "pages/chapter-01/intro.html", "pages/chapter-01/intro.htm", 1 },
        { "pages/chapter-01/a.html", "pages/chapter-01/b.html", -1 },
        { "abcdefgX", "abcdefgy", -1 }, // last byte of the first word
        { "abcdefghI", "abcdefghj", -1 }, // first byte after it
        { "abcdefgh\xc3\xa9", "abcdefgh\xc3\x89", 1 }, // UTF-8 is not folded
        { "abcdefgh[", "ABCDEFGHa", -1 }, // '[' sorts before letters folded down
    };
    for (const Case& c : cases) {
        int order = CaseFold::CompareIgnoringCase(c.a, c.b);
        EXPECT_EQ((order > 0) - (order < 0), c.order) << c.a << " / " << c.b;
        EXPECT_EQ(CaseFold::CompareIgnoringCase(c.b, c.a), -order) << c.a << " / " << c.b;
        EXPECT_EQ(CaseFold::EqualIgnoringCase(c.a, c.b), c.order == 0) << c.a << " / " << c.b;
        if (c.order == 0) {
            EXPECT_EQ(CaseFold::FoldedHash()(c.a), CaseFold::FoldedHash()(c.b)) << c.a;
        }
    }
}

TEST(CaseFold, EightBytesFoldAsEachByteAloneWhateverTheirNeighbours)
{
    for (int byte = 0; byte < 256; ++byte) {
        for (int at = 0; at < 8; ++at) {
            // Neighbours at the edges of the letters and of ASCII, where a carry would show.
            const unsigned char neighbours[] = { '@', 'A', 'Z', '[', 0x7F, 0x80, 0xFF, 0xC1 };
            unsigned char in[8], expected[8];
            for (int i = 0; i < 8; ++i) {
                in[i] = i == at ? static_cast<unsigned char>(byte) : neighbours[(i + at) % 8];
                expected[i] = static_cast<unsigned char>(CaseFold::Lower(char(in[i])));
            }
            std::uint64_t word = 0, folded = 0;
            std::memcpy(&word, in, 8);
            std::memcpy(&folded, expected, 8);
            ASSERT_EQ(CaseFold::LowerEight(word), folded) << "byte " << byte << " at " << at;
        }
    }
}
