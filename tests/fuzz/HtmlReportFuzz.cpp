#include "report/HtmlReport.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Report texts carry references taken from scanned pages, so every byte sequence must
// give well-formed entries: the first byte picks style, colour and failures-only, the
// rest is split into lines at NUL bytes. Texts get no "<" here, so that every "<A HREF="
// in an entry is one the report made.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::uint8_t choice = data[0];
    HtmlReport html;
    html.SetShowFailedOnly(choice & 0x80);
    html.Start(std::tm {});
    std::string all(reinterpret_cast<const char*>(data + 1), size - 1);
    for (char& c : all)
        if (c == '<')
            c = '[';
    std::size_t start = 0;
    for (int n = 0; start <= all.size(); ++n) {
        std::size_t end = all.find('\0', start);
        if (end == std::string::npos)
            end = all.size();
        ReportLine line { all.substr(start, end - start), ReportStyle((choice + n) % 3), 0,
            ReportColour((choice / 3 + n) % 6), KeepWhenFailedOnly(n % 2) };
        html.Add(line);
        start = end + 1;
    }
    html.End();
    // Whatever the text, the HREF value ends where the report ends it.
    const std::string open = "<A HREF=\"";
    for (const std::string& entry : html.HtmlReportLines()) {
        std::size_t href = entry.find(open);
        if (href == std::string::npos)
            continue;
        std::size_t quote = entry.find('"', href + open.size());
        if (entry.compare(quote, 21, "\" TARGET=\"reportwin\">") != 0)
            __builtin_trap();
    }
    return 0;
}
