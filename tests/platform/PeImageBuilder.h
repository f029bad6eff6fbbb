#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/// Small PE images and version blocks built byte by byte, so tests can corrupt any field
/// of them on purpose.
namespace PeImageBuilder {

struct VersionNode {
    std::string key;
    std::u16string text;
    std::vector<std::uint8_t> binary;
    bool isText = false;
    std::vector<VersionNode> children;
};

VersionNode Text(std::string key, std::u16string value);
VersionNode Binary(std::string key, std::vector<std::uint8_t> value, std::vector<VersionNode> children = {});
VersionNode Parent(std::string key, std::vector<VersionNode> children);

/// A node as the version resource stores it, starting at a 4-byte boundary.
std::vector<std::uint8_t> Encode(const VersionNode& node);

/// A block with the translation 0809/04E4 and the strings CompanyName "Orbane" and
/// FileVersion "2.1.4.0" under "080904E4".
std::vector<std::uint8_t> SampleBlock();

enum class Format { Pe32, Pe32Plus };

struct Image {
    std::vector<std::uint8_t> bytes;
    // File offsets of the fields tests corrupt.
    std::size_t peHeader = 0x40;
    std::size_t optionalHeader = 0;
    std::size_t directoryCount = 0;
    std::size_t resourceDirectory = 0;
    std::size_t sectionTable = 0;
    std::size_t resources = 0x200;
    std::size_t typeEntry = 0;
    std::size_t nameEntry = 0;
    std::size_t languageEntry = 0;
    std::size_t dataEntry = 0;
    std::size_t data = 0;
};

/// An image with one section, ".rsrc", holding `block` as its version resource (type 16,
/// name 1, language 0809).
Image Build(const std::vector<std::uint8_t>& block, Format format);

void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value);
void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value);

}
