#include "PeImageBuilder.h"

#include <algorithm>

namespace PeImageBuilder {

namespace {

    void Append16(std::vector<std::uint8_t>& out, std::uint16_t value)
    {
        out.push_back(static_cast<std::uint8_t>(value));
        out.push_back(static_cast<std::uint8_t>(value >> 8));
    }

    void PadTo4(std::vector<std::uint8_t>& out)
    {
        while (out.size() % 4)
            out.push_back(0);
    }

    void EncodeInto(std::vector<std::uint8_t>& out, const VersionNode& node)
    {
        PadTo4(out);
        const std::size_t start = out.size();
        out.resize(start + 6);
        for (char c : node.key)
            Append16(out, static_cast<std::uint8_t>(c));
        Append16(out, 0);
        PadTo4(out);
        std::uint16_t valueLength = 0;
        if (node.isText) {
            for (char16_t unit : node.text)
                Append16(out, unit);
            Append16(out, 0);
            valueLength = static_cast<std::uint16_t>(node.text.size() + 1);
        } else {
            out.insert(out.end(), node.binary.begin(), node.binary.end());
            valueLength = static_cast<std::uint16_t>(node.binary.size());
        }
        for (const auto& child : node.children)
            EncodeInto(out, child);
        Put16(out, start, static_cast<std::uint16_t>(out.size() - start));
        Put16(out, start + 2, valueLength);
        Put16(out, start + 4, node.isText ? 1 : 0);
    }

}

VersionNode Text(std::string key, std::u16string value)
{
    VersionNode node;
    node.key = std::move(key);
    node.text = std::move(value);
    node.isText = true;
    return node;
}

VersionNode Binary(std::string key, std::vector<std::uint8_t> value, std::vector<VersionNode> children)
{
    VersionNode node;
    node.key = std::move(key);
    node.binary = std::move(value);
    node.children = std::move(children);
    return node;
}

VersionNode Parent(std::string key, std::vector<VersionNode> children)
{
    return Binary(std::move(key), {}, std::move(children));
}

std::vector<std::uint8_t> Encode(const VersionNode& node)
{
    std::vector<std::uint8_t> out;
    EncodeInto(out, node);
    return out;
}

std::vector<std::uint8_t> SampleBlock()
{
    std::vector<std::uint8_t> fixedInfo(52, 0);
    Put32(fixedInfo, 0, 0xFEEF04BD);
    return Encode(Binary("VS_VERSION_INFO", fixedInfo,
        { Parent("StringFileInfo",
              { Parent("080904E4", { Text("CompanyName", u"Orbane"), Text("FileVersion", u"2.1.4.0") }) }),
            Parent("VarFileInfo", { Binary("Translation", { 0x09, 0x08, 0xE4, 0x04 }) }) }));
}

void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    Put16(bytes, at, static_cast<std::uint16_t>(value));
    Put16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

Image Build(const std::vector<std::uint8_t>& block, Format format)
{
    constexpr std::uint32_t SectionRva = 0x1000;
    const bool plus = format == Format::Pe32Plus;
    Image image;
    const std::size_t resourceSize = 0x58 + block.size();
    const std::size_t rawSize = (resourceSize + 0x1FF) & ~std::size_t { 0x1FF };
    auto& b = image.bytes;
    b.assign(image.resources + rawSize, 0);

    b[0] = 'M';
    b[1] = 'Z';
    Put32(b, 0x3C, static_cast<std::uint32_t>(image.peHeader));
    b[image.peHeader] = 'P';
    b[image.peHeader + 1] = 'E';
    const std::size_t coff = image.peHeader + 4;
    const std::uint16_t optionalSize = plus ? 240 : 224;
    Put16(b, coff, plus ? 0x8664 : 0x14C);
    Put16(b, coff + 2, 1);
    Put16(b, coff + 16, optionalSize);
    image.optionalHeader = coff + 20;
    Put16(b, image.optionalHeader, plus ? 0x20B : 0x10B);
    image.directoryCount = image.optionalHeader + (plus ? 108 : 92);
    Put32(b, image.directoryCount, 16);
    image.resourceDirectory = image.directoryCount + 4 + 2 * 8;
    Put32(b, image.resourceDirectory, SectionRva);
    Put32(b, image.resourceDirectory + 4, static_cast<std::uint32_t>(resourceSize));

    image.sectionTable = image.optionalHeader + optionalSize;
    const std::size_t s = image.sectionTable;
    for (std::size_t i = 0; i < 5; ++i)
        b[s + i] = static_cast<std::uint8_t>(".rsrc"[i]);
    Put32(b, s + 8, static_cast<std::uint32_t>(resourceSize));
    Put32(b, s + 12, SectionRva);
    Put32(b, s + 16, static_cast<std::uint32_t>(rawSize));
    Put32(b, s + 20, static_cast<std::uint32_t>(image.resources));

    const std::size_t r = image.resources;
    Put16(b, r + 14, 1);
    image.typeEntry = r + 16;
    Put32(b, image.typeEntry, 16);
    Put32(b, image.typeEntry + 4, 0x80000018);
    Put16(b, r + 0x18 + 14, 1);
    image.nameEntry = r + 0x18 + 16;
    Put32(b, image.nameEntry, 1);
    Put32(b, image.nameEntry + 4, 0x80000030);
    Put16(b, r + 0x30 + 14, 1);
    image.languageEntry = r + 0x30 + 16;
    Put32(b, image.languageEntry, 0x809);
    Put32(b, image.languageEntry + 4, 0x48);
    image.dataEntry = r + 0x48;
    Put32(b, image.dataEntry, SectionRva + 0x58);
    Put32(b, image.dataEntry + 4, static_cast<std::uint32_t>(block.size()));
    image.data = r + 0x58;
    std::copy(block.begin(), block.end(), b.begin() + static_cast<std::ptrdiff_t>(image.data));
    return image;
}

}
