#include "cli/JsonResults.h"

#include "cli/Utf8Text.h"
#include "engine/GatheredPlaces.h"
#include "platform/Base64.h"
#include "report/TextReport.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace {

bool IsUtf8(std::string_view s)
{
    for (std::size_t i = 0, n; i < s.size(); i += n)
        if ((n = Utf8Length(s, i)) == 0)
            return false;
    return true;
}

/// The bytes of a text that is not UTF-8, for the "...Bytes" field beside it.
std::string ExactBytes(std::string_view s)
{
    return "\"" + Base64(s) + "\"";
}

void AppendField(std::string& out, std::string_view name, std::string_view bytes)
{
    out.append("\"").append(name).append("\": ");
    if (!AppendJsonString(out, bytes))
        out.append(", \"").append(name).append("Bytes\": ").append(ExactBytes(bytes));
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

/// `"inFile": "..."` of a page, made once per page, as a page stands in many places. The
/// fields lie side by side in one text: millions of places read them in no order.
class PageFields {
public:
    explicit PageFields(const ReferencePlaces& places)
        : m_places(places)
        , m_spans(places.PageCount())
    {
    }

    std::string_view Of(std::uint32_t page)
    {
        Span& span = m_spans.at(page);
        if (span.size == 0) {
            span.start = m_text.size();
            AppendField(m_text, "inFile", TextReport::FileNamePart(std::string(m_places.PageName(page))));
            span.size = m_text.size() - span.start;
        }
        return std::string_view(m_text).substr(span.start, span.size);
    }

    /// Asks for the fields of the pages of `lists` ahead of their use: a large site's
    /// fields outgrow the cache, and the places name pages in no order.
    void Foresee(const GatheredPlaces& gathered, std::size_t lists)
    {
        for (std::size_t i = 0; i < lists; ++i)
            for (const ReferencePlaces::Place& place : gathered.Of(i))
                __builtin_prefetch(&m_spans.at(place.page));
        for (std::size_t i = 0; i < lists; ++i)
            for (const ReferencePlaces::Place& place : gathered.Of(i)) {
                const Span& span = m_spans[place.page];
                if (span.size == 0)
                    continue;
                const char* field = m_text.data() + span.start;
                for (std::size_t at = 0; at < span.size; at += 64)
                    __builtin_prefetch(field + at);
                __builtin_prefetch(field + span.size - 1);
            }
    }

private:
    struct Span {
        std::size_t start = 0;
        std::size_t size = 0;
    };
    const ReferencePlaces& m_places;
    std::vector<Span> m_spans;
    std::string m_text;
};

void AppendNumber(std::string& out, std::uint32_t n)
{
    char digits[10];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
}

/// `, "line": N, "seenIn": [...]` for a row whose reference stands in pages; nothing for
/// a row about a page itself.
void AppendPlaces(std::string& out, const std::vector<ReferencePlaces::Place>& places, PageFields& pages)
{
    if (places.empty())
        return;
    out.append(", \"line\": ");
    AppendNumber(out, places.front().line);
    out.append(", \"seenIn\": [");
    for (std::size_t i = 1; i < places.size(); ++i) {
        out.append(i > 1 ? ", {" : "{").append(pages.Of(places[i].page)).append(", \"line\": ");
        AppendNumber(out, places[i].line);
        out += '}';
    }
    out += ']';
}

constexpr std::size_t PieceSize = 64 * 1024;

void AppendRows(std::string& out, const TextSink& sink, const ResultGrid& grid, const ReferencePlaces& places,
    ReferencePlaces::Grid which)
{
    std::size_t end = grid.RowCount();
    const GridRow& last = grid.Row(end - 1);
    if (end > 1 && last.cells[0].empty() && last.cells[1].empty() && last.cells[2].empty())
        --end;
    out += '[';
    PageFields pages(places);
    // Rows name their references in no order, and places lie scattered over the run.
    constexpr std::size_t Block = 64;
    GatheredPlaces gathered(places);
    std::vector<std::uint32_t> refs;
    for (std::size_t r = 1; r < end; ++r) {
        if ((r - 1) % Block == 0) {
            refs.clear();
            for (std::size_t ahead = r; ahead < std::min(end, r + Block); ++ahead)
                refs.push_back(places.RefOfRow(which, ahead));
            gathered.Gather(refs);
            pages.Foresee(gathered, refs.size());
        }
        const GridRow& row = grid.Row(r);
        out += r > 1 ? ",\n    {" : "\n    {";
        AppendField(out, "ref", row.cells[0]);
        out += ", ";
        AppendField(out, "result", row.cells[1]);
        out += ", ";
        AppendField(out, "inFile", row.cells[2]);
        out += ", ";
        AppendField(out, "secs", row.cells[3]);
        // Only a result taken from the remembered ones reads "0.0"; a check shows "<0.1".
        if (row.cells[3] == "0.0")
            out += ", \"remembered\": true";
        out += ", \"colour\": \"";
        out += ColourName(row.colour);
        out += '"';
        AppendPlaces(out, gathered.Of((r - 1) % Block), pages);
        out += '}';
        if (out.size() >= PieceSize) {
            sink(out);
            out.clear();
        }
    }
    out += end > 1 ? "\n  ]" : "]";
}

/// The list as `"name": [...]`; when a name is not UTF-8, followed by `"nameBytes"`: for
/// each name its exact bytes, or null where the name is UTF-8.
std::string Names(const std::string& name, const std::vector<std::string>& names)
{
    std::string out = "\"" + name + "\": [";
    for (std::size_t i = 0; i < names.size(); ++i)
        out += (i ? ", " : "") + JsonString(names[i]);
    out += "]";
    if (std::all_of(names.begin(), names.end(), [](const std::string& n) { return IsUtf8(n); }))
        return out;
    out += ",\n  \"" + name + "Bytes\": [";
    for (std::size_t i = 0; i < names.size(); ++i)
        out += (i ? ", " : "") + (IsUtf8(names[i]) ? std::string("null") : ExactBytes(names[i]));
    return out + "]";
}

}

std::string JsonString(std::string_view s)
{
    std::string out;
    AppendJsonString(out, s);
    return out;
}

bool AppendJsonString(std::string& out, std::string_view s)
{
    bool utf8 = true;
    out += '"';
    for (std::size_t i = 0; i < s.size();) {
        // Results are mostly paths and words: printable ASCII is copied a run at a time.
        std::size_t plain = i;
        while (plain < s.size() && s[plain] >= 0x20 && s[plain] < 0x7F && s[plain] != '"' && s[plain] != '\\')
            ++plain;
        out.append(s.data() + i, plain - i);
        if ((i = plain) == s.size())
            break;
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n = Utf8Length(s, i);
        if (n == 0) {
            out += "\xef\xbf\xbd"; // U+FFFD, the replacement character
            utf8 = false;
            ++i;
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
            ++i;
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
            ++i;
        } else {
            out.append(s, i, n);
            i += n;
        }
    }
    out += '"';
    return utf8;
}

void WriteResultRows(const TextSink& sink, const ResultGrid& links, const ResultGrid& images,
    const ReferencePlaces& places)
{
    std::string out = "{\n  \"links\": ";
    AppendRows(out, sink, links, places, ReferencePlaces::Grid::Links);
    out += ",\n  \"images\": ";
    AppendRows(out, sink, images, places, ReferencePlaces::Grid::Images);
    sink(out);
}

std::string ResultsJsonEnd(const RunOutcome& outcome)
{
    return ",\n  \"errors\": " + std::to_string(outcome.errorCount) + ",\n  \"verdict\": \""
        + (outcome.errorCount > 0 ? "errors" : "ok") + "\"" + ",\n  " + Names("notAnalysed", outcome.notAnalysed)
        + ",\n  " + Names("unused", outcome.unused) + "\n}\n";
}

void WriteResultsJson(const TextSink& sink, const ResultGrid& links, const ResultGrid& images,
    const ReferencePlaces& places, const RunOutcome& outcome)
{
    WriteResultRows(sink, links, images, places);
    sink(ResultsJsonEnd(outcome));
}

std::string ResultsJson(const ResultGrid& links, const ResultGrid& images, const ReferencePlaces& places,
    const RunOutcome& outcome)
{
    std::string whole;
    WriteResultsJson([&whole](std::string_view piece) { whole.append(piece); }, links, images, places, outcome);
    return whole;
}
