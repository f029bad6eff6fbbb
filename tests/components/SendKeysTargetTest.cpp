#include "components/SendKeysTarget.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SendKeysTarget, TitleMatchesByTypeWithTheFirstOccurrenceDeciding)
{
    using T = TTCTypes;
    struct Case {
        T type;
        const char* text;
        const char* title;
        int titleStart;
        bool matches;
    } cases[] = {
        { T::tcPart, "Edit", "Notepad - Edit", 1, true },
        { T::tcPart, "edit", "Notepad - Edit", 1, false },
        { T::tcPart, "", "Notepad", 1, false },
        { T::tcWhole, "Notepad", "Notepad", 1, true },
        { T::tcWhole, "Notepad", "Notepad 2", 1, false },
        { T::tcStart, "Note", "Notepad", 1, true },
        { T::tcStart, "pad", "Notepad", 1, false },
        { T::tcEnd, "pad", "Notepad", 1, true },
        { T::tcEnd, "ab", "xabyab", 1, false },
        { T::tcEnd, "abc", "ab", 1, false },
        { T::tcCharPos, "pad", "Notepad", 5, true },
        { T::tcCharPos, "pad", "Notepad", 4, false },
        { T::tcCharPos, "zz", "Notepad", 0, false },
        { T::tcDesktop, "Notepad", "Notepad", 1, false },
    };
    for (const Case& c : cases) {
        SendKeysTarget target;
        target.TargetTitleType = c.type;
        target.TargetTitle = c.text;
        target.TitleStart = c.titleStart;
        EXPECT_EQ(target.TitleMatches(c.title), c.matches) << c.text << " in " << c.title;
    }

    SendKeysTarget longTitle;
    longTitle.TargetTitleType = T::tcStart;
    longTitle.TargetTitle = std::string(199, 'a') + "TAIL";
    EXPECT_TRUE(longTitle.TitleMatches(std::string(199, 'a') + "OTHER"));
    longTitle.TargetTitleType = T::tcEnd;
    longTitle.TargetTitle = "x";
    EXPECT_FALSE(longTitle.TitleMatches(std::string(499, 'a') + "x"));
}

TEST(SendKeysTarget, NotFoundMessageNamesWhatWasSought)
{
    using T = TTCTypes;
    struct Case {
        T type;
        const char* targetClass;
        const char* title;
        bool launch;
        const char* message;
    } cases[] = {
        { T::tcDesktop, "C", "T", true, "SendKeys can't find Desktop window" },
        { T::tcThisWindow, "", "", false, "SendKeys can't get handle for current window" },
        { T::tcPart, "Edit", "", true, "SendKeys can't find window class \"Edit\"" },
        { T::tcPart, "Edit", "Doc", false,
            "SendKeys can't find window class \"Edit\" or window titled \"...Doc...\"" },
        { T::tcStart, "", "Doc", true,
            "SendKeys can't find window titled \"Doc...\". SendKeys will launch program." },
        { T::tcEnd, "", "Doc", false, "SendKeys can't find window titled \"...Doc\"" },
        { T::tcWhole, "", "Doc", false, "SendKeys can't find window titled \"Doc\"" },
        { T::tcCharPos, "", "", false, "SendKeys can't find " },
    };
    for (const Case& c : cases) {
        SendKeysTarget target { c.targetClass, c.title, c.type, 1, c.launch };
        EXPECT_EQ(target.NotFoundMessage(), c.message);
    }
}

TEST(SendKeysTarget, SearchWalksUpFromTheForegroundThenDown)
{
    struct Case {
        std::vector<bool> matching; // top of the window order first
        std::optional<std::size_t> foreground;
        std::optional<std::size_t> found;
    } cases[] = {
        { { false, true, true, false, true }, 2, 1 },
        { { true, false, false, true, false }, 2, 0 },
        { { false, false, true, false, true }, 2, 4 },
        { { false, false, true }, 2, std::nullopt },
        { { false, true, true }, std::nullopt, 1 },
        { {}, std::nullopt, std::nullopt },
    };
    for (const Case& c : cases) {
        auto matches = [&](std::size_t i) { return bool(c.matching.at(i)); };
        EXPECT_EQ(SearchAroundForeground(c.matching.size(), c.foreground, matches), c.found);
    }
}
