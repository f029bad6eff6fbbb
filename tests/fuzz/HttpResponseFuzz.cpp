// Feeds arbitrary bytes through the header line reader in chunks whose sizes the input
// chooses, and every line and value through the parsers a response reaches: status line,
// fields, lengths, ranges, relocation values and the address parser.
#include "net/DocName.h"
#include "net/HttpHeaderLine.h"
#include "net/LineReader.h"
#include "net/Relocation.h"
#include "net/Url.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

void Parse(std::string_view line)
{
    if (HttpHeaderLine::IsStatusLine(line)) {
        HttpHeaderLine::ParseStatus(line);
        return;
    }
    const auto field = HttpHeaderLine::SplitField(line);
    if (!field)
        return;
    HttpHeaderLine::ParseContentLength(field->value);
    HttpHeaderLine::ParseContentRange(field->value);
    static const RequestTarget current { "http", "site.test", "8080", "/dir/page.html?q=1" };
    const Relocation relocation = ResolveRelocation(current, field->value);
    ResolveRelocation(relocation.target, field->value);
    DocNameForType(DocNameOf(relocation.target.path), field->value);
    ParseUrl(field->value);
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t chunk = 1 + data[0] % 64;
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    ParseUrl(input);
    LineReader reader;
    while (!input.empty() && !reader.Full()) {
        const auto space = reader.Space();
        const std::size_t count = std::min({ chunk, space.size(), input.size() });
        std::memcpy(space.data(), input.data(), count);
        reader.Commit(count);
        input.remove_prefix(count);
        while (const auto line = reader.NextLine())
            Parse(line->text);
    }
    return 0;
}
