#include "cli/JsonResults.h"

#include <cstdio>

namespace {

/// Length of the valid UTF-8 sequence at `at`, or 0 when the bytes there are not one.
std::size_t Utf8Length(std::string_view s, std::size_t at)
{
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char c = byte(at);
    std::size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c <= 0xDF ? 2 : 0;
    if (n == 0 || at + n > s.size())
        return 0;
    for (std::size_t i = 1; i < n; ++i)
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    unsigned char d = byte(at + 1);
    // Overlong forms, UTF-16 surrogates and code points past U+10FFFF are not UTF-8.
    if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0) || (c == 0xF0 && d < 0x90) || (c == 0xF4 && d >= 0x90))
        return 0;
    return n;
}

const char* ColourName(RowColour colour)
{
    switch (colour) {
    case RowColour::White:
        return "white";
    case RowColour::Red:
        return "red";
    case RowColour::Silver:
        return "silver";
    }
    return "white";
}

void AppendRows(std::string& out, const ResultGrid& grid)
{
    std::size_t end = grid.RowCount();
    const GridRow& last = grid.Row(end - 1);
    if (end > 1 && last.cells[0].empty() && last.cells[1].empty() && last.cells[2].empty())
        --end;
    out += '[';
    for (std::size_t r = 1; r < end; ++r) {
        const GridRow& row = grid.Row(r);
        out += r > 1 ? ",\n    {\"ref\": " : "\n    {\"ref\": ";
        AppendJsonString(out, row.cells[0]);
        out += ", \"result\": ";
        AppendJsonString(out, row.cells[1]);
        out += ", \"inFile\": ";
        AppendJsonString(out, row.cells[2]);
        out += ", \"secs\": ";
        AppendJsonString(out, row.cells[3]);
        out += ", \"colour\": \"";
        out += ColourName(row.colour);
        out += "\"}";
    }
    out += end > 1 ? "\n  ]" : "]";
}

std::string Names(const std::vector<std::string>& names)
{
    std::string out = "[";
    for (std::size_t i = 0; i < names.size(); ++i)
        out += (i ? ", " : "") + JsonString(names[i]);
    return out + "]";
}

}

std::string JsonString(std::string_view s)
{
    std::string out;
    AppendJsonString(out, s);
    return out;
}

void AppendJsonString(std::string& out, std::string_view s)
{
    out += '"';
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
            ++i;
        } else if (c >= 0x20 && c < 0x80) {
            out += char(c);
            ++i;
        } else if (std::size_t n = c >= 0x80 ? Utf8Length(s, i) : 0; n > 0) {
            out.append(s, i, n);
            i += n;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
            ++i;
        }
    }
    out += '"';
}

std::string ResultsJson(const ResultGrid& links, const ResultGrid& images, const RunOutcome& outcome)
{
    std::string out = "{\n  \"links\": ";
    AppendRows(out, links);
    out += ",\n  \"images\": ";
    AppendRows(out, images);
    return out + ",\n  \"errors\": " + std::to_string(outcome.errorCount)
        + ",\n  \"verdict\": \"" + (outcome.errorCount > 0 ? "errors" : "ok") + "\""
        + ",\n  \"notAnalysed\": " + Names(outcome.notAnalysed) + ",\n  \"unused\": " + Names(outcome.unused) + "\n}\n";
}
