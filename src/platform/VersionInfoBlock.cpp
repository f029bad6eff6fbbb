#include "platform/VersionInfoBlock.h"

namespace {

constexpr std::size_t NodeHeaderSize = 6;
constexpr std::uint16_t TextValue = 1;

std::size_t AlignTo4(std::size_t offset)
{
    return (offset + 3) & ~std::size_t { 3 };
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void AppendUtf8(std::string& out, std::uint32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | codePoint >> 6);
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | codePoint >> 12);
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | codePoint >> 18);
        out += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool IsHighSurrogate(std::uint32_t u)
{
    return u >= 0xD800 && u < 0xDC00;
}
bool IsLowSurrogate(std::uint32_t u)
{
    return u >= 0xDC00 && u < 0xE000;
}

constexpr std::uint32_t ReplacementCharacter = 0xFFFD;

}

VersionInfoBlock::VersionInfoBlock(std::vector<std::uint8_t> bytes)
    : m_bytes(std::move(bytes))
{
}

std::uint16_t VersionInfoBlock::U16(std::size_t offset) const
{
    return static_cast<std::uint16_t>(m_bytes[offset] | m_bytes[offset + 1] << 8);
}

// Layout of a node: length, value length, value type (16 bits each), the zero-ended
// UTF-16 key, padding to 4 bytes, the value, padding to 4 bytes, then the child nodes.
// Text values count their length in UTF-16 units, binary ones in bytes; a text length
// that overruns the node is cut at the node's end, as some resource compilers count bytes.
std::optional<VersionInfoBlock::Node> VersionInfoBlock::ParseNode(std::size_t start, std::size_t limit) const
{
    if (start > limit || limit - start < NodeHeaderSize)
        return std::nullopt;
    const std::size_t length = U16(start);
    if (length < NodeHeaderSize || length > limit - start)
        return std::nullopt;
    Node node;
    node.end = start + length;
    node.keyStart = start + NodeHeaderSize;
    std::size_t at = node.keyStart;
    while (at + 2 <= node.end && U16(at) != 0)
        at += 2;
    if (at + 2 > node.end)
        return std::nullopt;
    node.keyEnd = at;
    node.valueStart = std::min(AlignTo4(at + 2), node.end);
    const std::size_t valueLength = U16(start + 2);
    const bool isText = U16(start + 4) == TextValue;
    const std::size_t valueBytes = isText ? valueLength * 2 : valueLength;
    if (valueBytes > node.end - node.valueStart) {
        if (!isText)
            return std::nullopt;
        node.valueEnd = node.end;
    } else {
        node.valueEnd = node.valueStart + valueBytes;
    }
    node.childrenStart = std::min(AlignTo4(node.valueEnd), node.end);
    return node;
}

bool VersionInfoBlock::KeyEquals(const Node& node, std::string_view name) const
{
    if ((node.keyEnd - node.keyStart) / 2 != name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const std::uint16_t unit = U16(node.keyStart + 2 * i);
        if (unit >= 0x80 || AsciiLower(static_cast<char>(unit)) != AsciiLower(name[i]))
            return false;
    }
    return true;
}

std::optional<VersionInfoBlock::Node> VersionInfoBlock::Find(std::string_view path) const
{
    auto node = ParseNode(0, m_bytes.size());
    std::size_t pos = 0;
    while (node && pos < path.size()) {
        const std::size_t next = std::min(path.find('\\', pos), path.size());
        const std::string_view name = path.substr(pos, next - pos);
        pos = next + 1;
        if (name.empty())
            continue;
        std::optional<Node> match;
        std::size_t child = node->childrenStart;
        while (!match && child + NodeHeaderSize <= node->end) {
            auto candidate = ParseNode(child, node->end);
            if (!candidate)
                return std::nullopt;
            if (KeyEquals(*candidate, name))
                match = candidate;
            child = AlignTo4(candidate->end);
        }
        node = match;
    }
    return node;
}

std::optional<std::span<const std::uint8_t>> VersionInfoBlock::Value(std::string_view path) const
{
    auto node = Find(path);
    if (!node)
        return std::nullopt;
    return std::span<const std::uint8_t>(m_bytes).subspan(
        node->valueStart, node->valueEnd - node->valueStart);
}

std::optional<std::string> VersionInfoBlock::Text(std::string_view path) const
{
    auto node = Find(path);
    if (!node)
        return std::nullopt;
    std::string text;
    for (std::size_t at = node->valueStart; at + 2 <= node->valueEnd; at += 2) {
        std::uint32_t unit = U16(at);
        if (unit == 0)
            break;
        if (IsHighSurrogate(unit) && at + 4 <= node->valueEnd && IsLowSurrogate(U16(at + 2))) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (U16(at + 2) - 0xDC00);
            at += 2;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            unit = ReplacementCharacter;
        }
        AppendUtf8(text, unit);
    }
    return text;
}
