#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

/// A version-information block (the tree of keyed nodes with UTF-16 names that a version
/// resource holds) and the value queries the system's version API answers on it, such as
/// "\\VarFileInfo\\Translation" or "\\StringFileInfo\\080904E4\\FileVersion". Names are
/// compared ignoring letter case. The bytes are hostile input: every node is checked to
/// lie inside its parent, and a query that meets a malformed node fails.
class VersionInfoBlock {
public:
    explicit VersionInfoBlock(std::vector<std::uint8_t> bytes);

    /// The raw value of the node at `path`; "\\" alone names the root.
    std::optional<std::span<const std::uint8_t>> Value(std::string_view path) const;

    /// The value at `path` as text: its UTF-16 characters up to the first zero, in UTF-8.
    std::optional<std::string> Text(std::string_view path) const;

private:
    struct Node {
        std::size_t end = 0;
        std::size_t valueStart = 0;
        std::size_t valueEnd = 0;
        std::size_t childrenStart = 0;
        std::size_t keyStart = 0;
        std::size_t keyEnd = 0;
    };

    std::optional<Node> ParseNode(std::size_t start, std::size_t limit) const;
    std::optional<Node> Find(std::string_view path) const;
    bool KeyEquals(const Node& node, std::string_view name) const;
    std::uint16_t U16(std::size_t offset) const;

    std::vector<std::uint8_t> m_bytes;
};
