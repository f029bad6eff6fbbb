#include "components/KeyString.h"
#include "components/KeyPlayback.h"
#include "components/PasteSteps.h"

#include <gtest/gtest.h>

namespace {

using Codes = std::vector<std::uint8_t>;

std::string Nested(int depth)
{
    return std::string(depth, '(') + "a" + std::string(depth, ')');
}

}

TEST(KeyString, ParsesTheKeyLanguage)
{
    struct Case {
        std::string keys;
        Codes codes;
    } cases[] = {
        { "abc", { 65, 66, 67 } },
        { "A", { 16, 65, 16 } },
        { "+(ab)c", { 16, 65, 66, 16, 67 } },
        { "^o", { 17, 79, 17 } },
        { "++a", { 16, 16, 65, 16, 16 } },
        { "%", { 18, 18 } },
        { "%(+a)", { 18, 16, 65, 16, 18 } },
        { "{TAB 3}", { 9, 9, 9 } },
        { "{tab}{Tab}", { 9, 9 } },
        { "{}}", { 16, 221, 16 } },
        { "{} 2}", { 16, 221, 221, 16 } },
        { "{A 2}", { 16, 65, 65, 16 } },
        { "{+}", { 16, 187, 16 } },
        { "{TAB   +2 ignored}", { 9, 9 } },
        { "{BREAK}{esc}{F16}{WINAPPS}", { 19, 27, 127, 93 } },
        { "\xAC", { 13 } },
        { "a\xE9"
          "b",
            { 65, 66 } },
        { "1!/?", { 49, 16, 49, 16, 191, 16, 191, 16 } },
        { "{a 4096}", Codes(4096, 65) },
        { std::string(4096, 'a'), Codes(4096, 65) },
        { Nested(1000), { 65 } },
        { "", {} },
    };
    for (const Case& c : cases) {
        Codes codes { 1, 2 };
        EXPECT_EQ(KeyString::Parse(c.keys, codes), KeyStringResult::Ok) << c.keys.substr(0, 40);
        EXPECT_EQ(codes, c.codes) << c.keys.substr(0, 40);
    }
}

TEST(KeyString, RefusesAWholeStringOnAnyError)
{
    using R = KeyStringResult;
    struct Case {
        std::string keys;
        R result;
    } cases[] = {
        { "{TAB", R::UnclosedBrace },
        { "{TAB 3", R::UnclosedBrace },
        { "{} 2", R::UnclosedBrace },
        { "a{", R::UnclosedBrace },
        { "{NOPE}", R::UnknownKeyName },
        { "{\xE9}", R::UnknownKeyName },
        { "+(ab", R::UnclosedGroup },
        { "((a)", R::UnclosedGroup },
        { "{TAB 0}", R::BadRepeatCount },
        { "{TAB }", R::BadRepeatCount },
        { "{TAB x}", R::BadRepeatCount },
        { "{TAB -1}", R::TooManyEvents },
        { "{a 4097}", R::TooManyEvents },
        { "{a 99999999999999999999}", R::TooManyEvents },
        { std::string(4097, 'a'), R::TooManyEvents },
        { std::string(2048, 'A'), R::TooManyEvents },
        { Nested(100000), R::TooManyEvents },
        { std::string(100000, '+'), R::TooManyEvents },
        { "abc{NOPE}", R::UnknownKeyName },
    };
    for (const Case& c : cases) {
        Codes codes;
        EXPECT_EQ(KeyString::Parse(c.keys, codes), c.result) << c.keys.substr(0, 40);
        EXPECT_TRUE(codes.empty()) << c.keys.substr(0, 40);
    }
}

TEST(KeyPlayback, EventsFollowTheModifierToggles)
{
    struct Case {
        const char* keys;
        std::vector<unsigned> messages; // 256 down, 257 up, 260/261 system key down/up
        Codes codes;
    } cases[] = {
        { "abc", { 256, 257, 256, 257, 256, 257 }, { 65, 65, 66, 66, 67, 67 } },
        { "A", { 256, 256, 257, 257 }, { 16, 65, 65, 16 } },
        { "%f", { 260, 260, 261, 257 }, { 18, 70, 70, 18 } },
        { "%", { 260, 261 }, { 18, 18 } },
        { "%+", { 260, 260, 261, 261 }, { 18, 16, 16, 18 } },
        { "^%a", { 256, 256, 256, 257, 257, 257 }, { 17, 18, 65, 65, 18, 17 } },
        { "%^a", { 260, 256, 256, 257, 261, 257 }, { 18, 17, 65, 65, 17, 18 } },
    };
    for (const Case& c : cases) {
        Codes parsed;
        ASSERT_EQ(KeyString::Parse(c.keys, parsed), KeyStringResult::Ok);
        std::vector<unsigned> messages;
        Codes codes;
        for (const KeyEvent& event : KeyPlaybackEvents(parsed)) {
            messages.push_back(event.Message());
            codes.push_back(event.code);
        }
        EXPECT_EQ(messages, c.messages) << c.keys;
        EXPECT_EQ(codes, c.codes) << c.keys;
    }
}

TEST(PasteSteps, PutsSegmentsOnTheClipboardAndPastesThem)
{
    using K = PasteStep::Kind;
    struct Case {
        const char* keys;
        std::vector<PasteStep> steps;
        std::size_t capacity = 4;
    } cases[] = {
        { "^o{p}http://x.org/{/p}{enter}",
            { { K::SetClipboard, "http://x.org/" }, { K::PlayKeys, "^o" }, { K::PlayKeys, "^v" },
                { K::PlayKeys, "{enter}" } },
            4999 },
        { "{p}abcdef{/p}", { { K::SetClipboard, "abcd" }, { K::PlayKeys, "^v" } } },
        { "a{p}b", { { K::PlayKeys, "a" }, { K::PlayKeys, "^v" } } },
        { "{/p}a{p}b{/p}c",
            { { K::SetClipboard, "b" }, { K::PlayKeys, "{/p}a" }, { K::PlayKeys, "^v" },
                { K::PlayKeys, "c" } } },
        { "{p}{/p}{p}x{/p}",
            { { K::SetClipboard, "" }, { K::PlayKeys, "^v" }, { K::SetClipboard, "x" },
                { K::PlayKeys, "^v" } } },
        { "plain", { { K::PlayKeys, "plain" } } },
        { "", {} },
    };
    for (const Case& c : cases)
        EXPECT_EQ(PasteSteps(c.keys, c.capacity), c.steps) << c.keys;
}
