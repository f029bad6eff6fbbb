#include "platform/XdgKeyFile.h"

namespace {

std::string_view Trim(std::string_view text)
{
    std::size_t start = text.find_first_not_of(" \t\r");
    if (start == std::string_view::npos)
        return {};
    std::size_t end = text.find_last_not_of(" \t\r");
    return text.substr(start, end - start + 1);
}

}

XdgKeyFile XdgKeyFile::Parse(std::string_view text)
{
    XdgKeyFile file;
    std::string group;
    bool inGroup = false;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            inGroup = line.back() == ']' && line.size() >= 2;
            group = inGroup ? std::string(line.substr(1, line.size() - 2)) : std::string();
            continue;
        }
        std::size_t equals = line.find('=');
        // Lines before the first group or without "=" carry nothing a reader may use.
        if (!inGroup || equals == std::string_view::npos)
            continue;
        std::string_view key = Trim(line.substr(0, equals));
        if (key.empty() || file.Value(group, key))
            continue;
        file.m_entries.push_back({ group, std::string(key), std::string(Trim(line.substr(equals + 1))) });
    }
    return file;
}

std::optional<std::string_view> XdgKeyFile::Value(std::string_view group, std::string_view key) const
{
    for (const Entry& entry : m_entries) {
        if (entry.group == group && entry.key == key)
            return entry.value;
    }
    return std::nullopt;
}

std::vector<std::string_view> XdgKeyFile::Keys(std::string_view group) const
{
    std::vector<std::string_view> keys;
    for (const Entry& entry : m_entries) {
        if (entry.group == group)
            keys.push_back(entry.key);
    }
    return keys;
}

std::string XdgKeyFile::Unescape(std::string_view value)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c != '\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        char next = value[i + 1];
        switch (next) {
        case 's':
            out += ' ';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case 'r':
            out += '\r';
            break;
        case '\\':
            out += '\\';
            break;
        default:
            out += c;
            continue;
        }
        ++i;
    }
    return out;
}

std::vector<std::string> XdgKeyFile::List(std::string_view value)
{
    std::vector<std::string> items;
    std::string item;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == ';') {
            item += ';';
            ++i;
        } else if (value[i] == ';') {
            items.push_back(std::move(item));
            item.clear();
        } else {
            item += value[i];
        }
    }
    if (!item.empty())
        items.push_back(std::move(item));
    return items;
}
