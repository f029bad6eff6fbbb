#include "engine/RememberedResults.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

const std::string Heading = "tarvik remembered results 1";

/// Fields are separated by tabs; an address or result holding a tab or line break is
/// not kept.
bool Storable(const std::string& text)
{
    return text.find_first_of("\t\r\n") == std::string::npos;
}

std::optional<long long> Number(const std::string& text)
{
    char* end = nullptr;
    long long n = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < 0)
        return std::nullopt;
    return n;
}

}

bool RememberedResults::Read(const std::string& text)
{
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != Heading)
        return false;
    std::unordered_map<std::string, Entry> entries;
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        if (fields.size() != 4)
            return false;
        std::optional<long long> checked = Number(fields[0]);
        std::optional<long long> status = Number(fields[1]);
        if (!checked || !status || *status > 999 || fields[3].empty())
            return false;
        entries[fields[3]] = { fields[2], int(*status), std::time_t(*checked) };
    }
    m_entries = std::move(entries);
    return true;
}

std::string RememberedResults::Text() const
{
    std::vector<const std::pair<const std::string, Entry>*> sorted;
    for (const auto& entry : m_entries)
        sorted.push_back(&entry);
    std::sort(sorted.begin(), sorted.end(), [](auto a, auto b) { return a->first < b->first; });
    std::string text = Heading + "\n";
    for (const auto* entry : sorted)
        text += std::to_string(entry->second.checked) + "\t" + std::to_string(entry->second.status) + "\t"
            + entry->second.result + "\t" + entry->first + "\n";
    return text;
}

bool RememberedResults::FreshOk(
    const std::string& address, std::time_t now, std::chrono::seconds maxAge) const
{
    auto found = m_entries.find(address);
    return found != m_entries.end() && found->second.result == "OK" && found->second.checked <= now
        && now - found->second.checked < maxAge.count();
}

void RememberedResults::Remember(const std::string& address, Entry entry)
{
    if (Storable(address) && Storable(entry.result))
        m_entries[address] = std::move(entry);
}

std::optional<std::chrono::seconds> ParseMaxAge(const std::string& text)
{
    if (text.size() < 2)
        return std::nullopt;
    std::optional<long long> count = Number(text.substr(0, text.size() - 1));
    if (!count || *count > 100000)
        return std::nullopt;
    switch (text.back()) {
    case 's':
        return std::chrono::seconds(*count);
    case 'm':
        return std::chrono::minutes(*count);
    case 'h':
        return std::chrono::hours(*count);
    case 'd':
        return std::chrono::hours(24 * *count);
    }
    return std::nullopt;
}
