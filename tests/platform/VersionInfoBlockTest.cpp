#include "platform/VersionInfoBlock.h"

#include "PeImageBuilder.h"

#include <gtest/gtest.h>

using namespace PeImageBuilder;

TEST(VersionInfoBlock, QueriesTextAndBinaryValuesIgnoringCase)
{
    const VersionInfoBlock block(SampleBlock());
    EXPECT_EQ(block.Text("\\StringFileInfo\\080904E4\\FileVersion"), "2.1.4.0");
    EXPECT_EQ(block.Text("\\stringfileinfo\\080904e4\\companyname"), "Orbane");
    auto translation = block.Value("\\VarFileInfo\\Translation");
    ASSERT_TRUE(translation);
    EXPECT_EQ(std::vector<std::uint8_t>(translation->begin(), translation->end()),
        (std::vector<std::uint8_t> { 0x09, 0x08, 0xE4, 0x04 }));
    auto root = block.Value("\\");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->size(), 52u);
    EXPECT_FALSE(block.Text("\\StringFileInfo\\040904E4\\FileVersion"));
    EXPECT_FALSE(block.Text("\\StringFileInfo\\080904E4\\FileVersio"));
    EXPECT_FALSE(block.Value("\\VarFileInfo\\Translation\\More"));
}

TEST(VersionInfoBlock, TextIsConvertedToUtf8UpToItsFirstZero)
{
    const VersionInfoBlock block(Encode(Parent("Root",
        { Text("Copyright", u"\u00A9 Orbane"), Text("Pair", u"\U0001F600"), Text("Lone", u"a\xD800z"),
            Text("Cut", std::u16string(u"one\0two", 7)) })));
    EXPECT_EQ(block.Text("Copyright"), "\xC2\xA9 Orbane");
    EXPECT_EQ(block.Text("Pair"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(block.Text("Lone"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(block.Text("Cut"), "one");
}

TEST(VersionInfoBlock, MalformedNodesFailTheQuery)
{
    const auto good = SampleBlock();
    const std::string path = "\\StringFileInfo\\080904E4\\FileVersion";
    // Offsets into the sample: the root's length, StringFileInfo's length, the first
    // string's value length and its type.
    const std::size_t stringFileInfo = 92;
    ASSERT_TRUE(VersionInfoBlock(good).Text(path));
    const struct {
        const char* what;
        std::size_t at;
        std::uint16_t value;
    } cases[] = {
        { "root longer than the block", 0, 0xFFFF },
        { "root shorter than a header", 0, 4 },
        { "child longer than its parent", stringFileInfo, 0xFFF0 },
        { "child of length zero", stringFileInfo, 0 },
    };
    for (const auto& c : cases) {
        auto bytes = good;
        Put16(bytes, c.at, c.value);
        EXPECT_FALSE(VersionInfoBlock(bytes).Text(path)) << c.what;
    }
    auto binaryTooLong = good;
    Put16(binaryTooLong, 2, 0xFFFF);
    EXPECT_FALSE(VersionInfoBlock(binaryTooLong).Value("\\"));

    std::vector<std::uint8_t> unterminatedKey { 12, 0, 0, 0, 0, 0, 'A', 0, 'B', 0, 'C', 0 };
    EXPECT_FALSE(VersionInfoBlock(unterminatedKey).Value("\\"));
}

TEST(VersionInfoBlock, ATextLengthCountedInBytesIsCutAtTheNodesEnd)
{
    auto bytes = Encode(Parent("Root", { Text("Name", u"Value") }));
    // The text node begins after the root's header and key "Root" (6 + 10, padded to 16).
    Put16(bytes, 16 + 2, 12);
    EXPECT_EQ(VersionInfoBlock(bytes).Text("Name"), "Value");
}

TEST(VersionInfoBlock, EveryTruncationStaysInsideTheBlock)
{
    const auto good = SampleBlock();
    for (std::size_t length = 0; length <= good.size(); ++length) {
        const VersionInfoBlock block(
            std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)));
        const bool whole = length == good.size();
        EXPECT_EQ(block.Text("\\StringFileInfo\\080904E4\\CompanyName").has_value(), whole) << length;
        EXPECT_EQ(block.Value("\\VarFileInfo\\Translation").has_value(), whole) << length;
    }
}
