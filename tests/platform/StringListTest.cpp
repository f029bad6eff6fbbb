#include "platform/StringList.h"

#include "platform/CaseFold.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(StringList, SortedUniqueDropsAnAdditionThatDiffersOnlyInLetterCase)
{
    StringList list(StringList::Order::SortedUnique);
    EXPECT_TRUE(list.Add("a.gif"));
    EXPECT_FALSE(list.Add("A.GIF"));
    list.Add("B.html");
    list.Add("a_b.html");
    EXPECT_EQ(list.Items(), (std::vector<std::string> { "a.gif", "a_b.html", "B.html" }));
    EXPECT_TRUE(list.Contains("b.HTML"));
}

TEST(StringList, InsertionOrderKeepsDuplicates)
{
    StringList list;
    list.Add("http://x/ (Page not found)");
    list.Add("http://x/ (Page not found)");
    EXPECT_EQ(list.Count(), 2u);
}

TEST(StringList, RemoveTakesTheFirstEqualEntryIgnoringCase)
{
    StringList list;
    for (auto s : { "a.gif", "b.gif", "A.GIF", "c.gif" })
        list.Add(s);
    EXPECT_TRUE(list.Remove("A.gif"));
    EXPECT_EQ(list.Items(), (std::vector<std::string> { "b.gif", "A.GIF", "c.gif" }));
    EXPECT_TRUE(list.Remove("a.gif"));
    EXPECT_FALSE(list.Remove("a.gif"));
    list.Add("a.gif");
    EXPECT_TRUE(list.Contains("A.GIF"));
}

TEST(StringList, QueueUseKeepsTheIndexRight)
{
    StringList queue;
    queue.Add("index.html");
    EXPECT_TRUE(queue.Contains("INDEX.html"));
    queue.Add("b.html");
    queue.Add("index.html");
    EXPECT_EQ(queue.TakeFront(), "index.html");
    EXPECT_TRUE(queue.Contains("index.html"));
    EXPECT_EQ(queue.TakeFront(), "b.html");
    EXPECT_FALSE(queue.Contains("b.html"));
    EXPECT_EQ(queue.TakeFront(), "index.html");
    EXPECT_TRUE(queue.Empty());
}

TEST(StringList, ManyRemovalsAndTakesStayConsistentAfterCompaction)
{
    StringList list;
    for (int i = 0; i < 1000; ++i)
        list.Add("f" + std::to_string(i));
    for (int i = 0; i < 1000; i += 2)
        ASSERT_TRUE(list.Remove("F" + std::to_string(i)));
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(list.TakeFront(), "f" + std::to_string(2 * i + 1));
    EXPECT_EQ(list.Count(), 400u);
    EXPECT_TRUE(list.Contains("f999"));
    EXPECT_FALSE(list.Contains("f199"));
    EXPECT_EQ(list.Front(), "f201");
}

TEST(StringList, InsertionListAgreesWithAPlainVectorThroughAnyMixOfOperations)
{
    // Few distinct texts in many spellings, so equal entries pile up, leave from the old
    // end and come back, while the index grows, fills with removed slots and is rebuilt.
    std::vector<std::string> model;
    StringList list;
    auto equal = [](const std::string& a, std::string_view b) { return CaseFold::EqualIgnoringCase(a, b); };
    std::uint32_t seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245 + 12345) >> 16; };
    for (int step = 0; step < 20000; ++step) {
        std::string text = "page-" + std::to_string(next() % 300) + ".html";
        if (next() % 2)
            text = CaseFold::UpperCase(text);
        switch (next() % 5) {
        case 0:
        case 1:
            list.Add(text);
            model.push_back(text);
            break;
        case 2: {
            auto it = std::find_if(model.begin(), model.end(), [&](const std::string& m) { return equal(m, text); });
            ASSERT_EQ(list.Remove(text), it != model.end()) << step;
            if (it != model.end())
                model.erase(it);
            break;
        }
        case 3:
            if (!model.empty()) {
                ASSERT_EQ(list.TakeFront(), model.front()) << step;
                model.erase(model.begin());
            }
            break;
        default:
            ASSERT_EQ(list.Contains(text),
                std::any_of(model.begin(), model.end(), [&](const std::string& m) { return equal(m, text); }))
                << step;
        }
        ASSERT_EQ(list.Count(), model.size()) << step;
    }
    EXPECT_EQ(list.Items(), model);
}

TEST(StringList, SortOrdersAnInsertionListAndKeepsDuplicates)
{
    StringList list;
    for (auto s : { "zeta.gif", "Alpha.gif", "beta.gif", "alpha.gif" })
        list.Add(s);
    list.Sort();
    EXPECT_EQ(list.Items(), (std::vector<std::string> { "Alpha.gif", "alpha.gif", "beta.gif", "zeta.gif" }));
    EXPECT_TRUE(list.Remove("ALPHA.GIF"));
    EXPECT_EQ(list.Front(), "alpha.gif");
}

TEST(StringList, SortedUniqueStaysRightAsItGrowsLosesAndRegainsEntries)
{
    // Entries added out of order, half copied and half kept as views of texts that outlive
    // the list; every third removed in another letter case, every sixth added back.
    std::vector<std::string> names;
    for (int i = 0; i < 3000; ++i)
        names.push_back("Page-" + std::to_string(i) + ".html");
    StringList list(StringList::Order::SortedUnique);
    for (int k = 0; k < 3000; ++k) {
        int i = k * 7919 % 3000;
        ASSERT_TRUE(k % 2 ? list.AddKept(names[i]) : list.Add(names[i])) << names[i];
    }
    for (int i = 0; i < 3000; i += 3)
        ASSERT_TRUE(list.Remove("PAGE-" + std::to_string(i) + ".HTML"));
    for (int i = 0; i < 3000; i += 6)
        ASSERT_TRUE(list.Add("page-" + std::to_string(i) + ".html"));

    std::vector<std::string> expected;
    for (int i = 0; i < 3000; ++i) {
        bool present = i % 3 != 0 || i % 6 == 0;
        if (present)
            expected.push_back(i % 3 ? names[i] : "page-" + std::to_string(i) + ".html");
        EXPECT_EQ(list.Contains("PAGE-" + std::to_string(i) + ".html"), present) << i;
    }
    std::sort(expected.begin(), expected.end(), CaseFold::LessIgnoringCase());
    EXPECT_EQ(list.Items(), expected);
    EXPECT_FALSE(list.Add("page-1.HTML"));
    EXPECT_EQ(list.Front(), expected.front());
}

TEST(StringList, SortedUniqueOrdersTextsAsTheLetterCaseBlindComparisonDoes)
{
    // Texts that tie on their first bytes, end inside the bytes compared, hold NUL bytes
    // where a shorter one is padded, or differ only far along.
    const std::string longPrefix(70, 'q');
    const std::vector<std::string> texts = {
        "a",
        std::string("a\0", 2),
        std::string("a\0\0", 3),
        "A/b",
        "alpha00/island-105/lima-296/quartz-00924.html",
        "Alpha00/island-105/lima-296/Quartz-00925.html",
        "alpha00/island-105/lima-296/quartz-00924.htm",
        "alpha00/island-105/lima-296/quartz-00924.html#x",
        "alpha00/island-105/",
        "alpha00/island-1050",
        "alpha00/Island-10",
        longPrefix + "b",
        longPrefix + "A",
        longPrefix,
        "[x]",
        "_x",
        "Zeta",
        "\xC3\xA9t\xC3\xA9",
        "",
    };
    StringList list(StringList::Order::SortedUnique);
    for (const std::string& text : texts)
        ASSERT_TRUE(list.Add(text)) << text;
    std::vector<std::string> expected = texts;
    std::sort(expected.begin(), expected.end(),
        [](const std::string& a, const std::string& b) { return CaseFold::CompareIgnoringCase(a, b) < 0; });
    EXPECT_EQ(list.Items(), expected);
}
