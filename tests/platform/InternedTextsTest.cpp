#include "platform/InternedTexts.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

TEST(InternedTexts, EachTextHasOneNumberAndReadsBackExactly)
{
    InternedTexts texts;
    EXPECT_EQ(texts.Intern(""), InternedTexts::Empty);
    std::vector<std::string> samples { "OK", "ok", "NOT FOUND", std::string("a\0b", 3), "index.html",
        std::string(40000, 'L'), "<0.1" };
    std::vector<std::uint32_t> ids;
    for (const std::string& s : samples)
        ids.push_back(texts.Intern(s));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        EXPECT_EQ(texts.Intern(samples[i]), ids[i]) << "a repeat gets the same number: " << i;
        EXPECT_EQ(texts.Text(ids[i]), samples[i]) << i;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(ids[i], ids[j]) << i << " and " << j << " differ";
    }
    EXPECT_EQ(texts.Count(), samples.size() + 1);
    EXPECT_EQ(texts.Find("unknown"), InternedTexts::Missing);
    EXPECT_EQ(texts.Find("index.html"), ids[4]);
}

TEST(InternedTexts, ViewsStayValidWhileThePoolGrows)
{
    InternedTexts texts;
    std::string_view first = texts.Text(texts.Intern("page-0.html"));
    std::string_view longOne = texts.Text(texts.Intern(std::string(20000, 'x')));
    for (int i = 1; i < 200000; ++i)
        texts.Intern("page-" + std::to_string(i) + ".html");
    EXPECT_EQ(first, "page-0.html");
    EXPECT_EQ(longOne, std::string(20000, 'x'));
    EXPECT_EQ(texts.Text(texts.Intern("page-123456.html")), "page-123456.html");
    EXPECT_EQ(texts.Count(), 200002u);
}
