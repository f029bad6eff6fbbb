#include "FuzzCheck.h"
#include "report/HtmlReport.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Report texts carry references taken from scanned pages, so every byte sequence must
// give well-formed entries: the first byte picks style, colour and failures-only, the
// rest is split into lines at NUL bytes. Every tag of an entry must be one the report
// made, whatever markup the texts hold.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::uint8_t choice = data[0];
    HtmlReport html;
    html.SetShowFailedOnly(choice & 0x80);
    html.Start(std::tm {});
    const std::string all(reinterpret_cast<const char*>(data + 1), size - 1);
    std::size_t start = 0;
    for (int n = 0; start <= all.size(); ++n) {
        std::size_t end = all.find('\0', start);
        if (end == std::string::npos)
            end = all.size();
        ReportLine line { std::string_view(all).substr(start, end - start), ReportStyle((choice + n) % 3), 0,
            ReportColour((choice / 3 + n) % 6), KeepWhenFailedOnly(n % 2) };
        html.Add(line);
        start = end + 1;
    }
    html.End();
    const std::string open = "<A HREF=\"";
    const std::vector<std::string>& entries = html.HtmlReportLines();
    // The two head lines hold no report text.
    for (std::size_t i = 2; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        for (std::size_t tag = entry.find('<'); tag != std::string::npos; tag = entry.find('<', tag + 1)) {
            bool known = false;
            for (std::string_view own : { "<A HREF=\"", "</A>", "<B>", "</B>", "<I>", "</I>", "<BR>",
                     "</FONT>", "<FONT COLOR=", "</BODY>", "</HTML>" })
                known = known || entry.compare(tag, own.size(), own) == 0;
            FUZZ_CHECK(known);
        }
        // Whatever the text, the HREF value ends where the report ends it.
        std::size_t href = entry.find(open);
        if (href == std::string::npos)
            continue;
        std::size_t quote = entry.find('"', href + open.size());
        FUZZ_CHECK(entry.compare(quote, 21, "\" TARGET=\"reportwin\">") == 0);
    }
    return 0;
}
