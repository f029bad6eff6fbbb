#include "platform/PeVersionResource.h"

#include "PeImageBuilder.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace PeImageBuilder;

namespace {

std::optional<std::vector<std::uint8_t>> Find(const std::vector<std::uint8_t>& bytes)
{
    return PeVersionResource::FromImage(bytes);
}

std::string AsText(const std::vector<std::uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

}

TEST(PeVersionResource, FindsTheVersionBlockOfBothFormats)
{
    const auto block = SampleBlock();
    for (Format format : { Format::Pe32, Format::Pe32Plus }) {
        auto image = Build(block, format);
        EXPECT_EQ(Find(image.bytes), block);

        TempSite site;
        site.Write("program.exe", AsText(image.bytes));
        EXPECT_EQ(PeVersionResource::FromFile(site.Root() + "/program.exe"), block);
    }
}

TEST(PeVersionResource, EveryTruncationIsEitherWholeOrNothing)
{
    const auto block = SampleBlock();
    const auto image = Build(block, Format::Pe32Plus);
    const std::size_t dataEnd = image.data + block.size();
    for (std::size_t length = 0; length < image.bytes.size(); ++length) {
        const std::vector<std::uint8_t> prefix(
            image.bytes.begin(), image.bytes.begin() + static_cast<std::ptrdiff_t>(length));
        auto found = Find(prefix);
        if (length < dataEnd)
            EXPECT_FALSE(found) << length;
        else
            EXPECT_EQ(found, block) << length;
    }
}

TEST(PeVersionResource, HeadersThatPointOutsideTheImageGiveNothing)
{
    const auto image = Build(SampleBlock(), Format::Pe32);
    const struct {
        const char* what;
        std::size_t at;
        std::uint32_t value;
    } cases[] = {
        { "no MZ", 0, 0 },
        { "PE header past the end", 0x3C, 0x7FFFFFF0 },
        { "PE header at the very end", 0x3C, 0xFFFFFFFF },
        { "no PE signature", image.peHeader, 0x4C50 },
        { "unknown optional header", image.optionalHeader, 0x30B },
        { "no resource directory", image.directoryCount, 2 },
        { "no resources", image.resourceDirectory, 0 },
        { "resources outside every section", image.resourceDirectory, 0x9000 },
        { "section data past the end", image.sectionTable + 20, 0xFFFFFF00 },
        { "section shorter than its data", image.sectionTable + 16, 0x10 },
        { "subdirectory past the section", image.typeEntry + 4, 0x8FFFFFF0 },
        { "no version type", image.typeEntry, 3 },
        { "version named, not numbered", image.nameEntry, 0x80000000 },
        { "version number other than 1", image.nameEntry, 2 },
        { "data outside every section", image.dataEntry, 0xFFFFFFF0 },
        { "data size past the end", image.dataEntry + 4, 0xFFFFFFFF },
        { "empty data", image.dataEntry + 4, 0 },
    };
    for (const auto& c : cases) {
        auto bytes = image.bytes;
        Put32(bytes, c.at, c.value);
        EXPECT_FALSE(Find(bytes)) << c.what;
    }
    auto manySections = image.bytes;
    Put16(manySections, image.peHeader + 6, 0xFFFF);
    EXPECT_FALSE(Find(manySections));
}

TEST(PeVersionResource, EntryCountsBeyondTheResourceDataMakeTheDirectoryMalformed)
{
    const auto block = SampleBlock();
    const auto image = Build(block, Format::Pe32Plus);
    auto bytes = image.bytes;
    Put32(bytes, image.resources + 12, 0xFFFFFFFF);
    EXPECT_FALSE(Find(bytes));
    // Two entries still fit in the resource data; the second one is the version type.
    bytes = image.bytes;
    Put16(bytes, image.resources + 14, 2);
    Put32(bytes, image.typeEntry + 8, 16);
    Put32(bytes, image.typeEntry + 12, 0x80000018);
    Put32(bytes, image.typeEntry, 3);
    EXPECT_EQ(Find(bytes), block);
}

TEST(PeVersionResource, DirectoriesThatLoopEndTheWalk)
{
    const auto image = Build(SampleBlock(), Format::Pe32Plus);
    const std::size_t toRoot = 0x80000000, toNames = 0x80000018, toLanguages = 0x80000030;
    const struct {
        std::size_t entry;
        std::uint32_t target;
    } loops[] = {
        { image.typeEntry, toRoot },
        { image.nameEntry, toRoot },
        { image.nameEntry, toNames },
        { image.languageEntry, toLanguages },
        { image.languageEntry, toRoot },
    };
    for (const auto& loop : loops) {
        auto bytes = image.bytes;
        Put32(bytes, loop.entry + 4, loop.target);
        EXPECT_FALSE(Find(bytes)) << loop.entry << " -> " << loop.target;
    }
}

TEST(PeVersionResource, OnlyRegularFilesAreRead)
{
    TempSite site({ { "empty.exe", "" }, { "folder/x", "x" } });
    ASSERT_EQ(::mkfifo((site.Root() + "/pipe").c_str(), 0600), 0);
    for (const char* name : { "missing.exe", "empty.exe", "folder", "pipe" })
        EXPECT_FALSE(PeVersionResource::FromFile(site.Root() + "/" + name)) << name;
    EXPECT_FALSE(PeVersionResource::FromFile(""));
}
