#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// A file of the freedesktop.org key-file format (".desktop" files, "mimeapps.list"):
/// "[Group]" headers, "Key=Value" lines, "#" comments. Within a group the first of two
/// equal keys counts. Values are kept raw; `Unescape` decodes the escapes of a string
/// value.
class XdgKeyFile {
public:
    static XdgKeyFile Parse(std::string_view text);

    std::optional<std::string_view> Value(std::string_view group, std::string_view key) const;
    /// The keys of a group in file order.
    std::vector<std::string_view> Keys(std::string_view group) const;

    /// "\s", "\n", "\t", "\r" and "\\" decoded; any other backslash is kept as it is.
    static std::string Unescape(std::string_view value);
    /// A ";"-separated list value; "\;" stands for a ";" inside an item.
    static std::vector<std::string> List(std::string_view value);

private:
    struct Entry {
        std::string group;
        std::string key;
        std::string value;
    };
    std::vector<Entry> m_entries;
};
