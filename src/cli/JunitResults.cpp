#include "cli/JunitResults.h"

#include "cli/FailurePlaces.h"
#include "cli/Utf8Text.h"

#include <algorithm>

namespace {

/// Text for an XML attribute or element: markup characters as references; invalid
/// UTF-8 and the control characters XML 1.0 forbids as U+FFFD.
std::string Xml(std::string_view s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n = Utf8Length(s, i);
        if (n == 0 || (c < 0x20 && c != '\t' && c != '\n' && c != '\r'))
            out += "\xef\xbf\xbd";
        else if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else if (c == '\t' || c == '\n' || c == '\r')
            out += "&#" + std::to_string(c) + ";"; // kept through attribute normalisation
        else
            out.append(s, i, n);
        i += n == 0 ? 1 : n;
    }
    return out;
}

}

std::string JunitXml(const ResultGrid& links, const ResultGrid& images, const ReferencePlaces& places)
{
    std::vector<FailurePlace> failures = FailurePlacesOf(links, images, places);
    // A page's failures read top to bottom.
    std::stable_sort(failures.begin(), failures.end(), [](const FailurePlace& a, const FailurePlace& b) {
        return a.page != b.page ? a.page < b.page : a.line < b.line;
    });
    const std::vector<std::uint32_t>& pages = places.AnalysedPages();
    std::string cases;
    std::size_t counted = 0;
    for (std::uint32_t page : pages) {
        const std::string name = Xml(places.PageName(page));
        cases += "    <testcase classname=\"pages\" name=\"" + name + "\"";
        auto first = std::lower_bound(failures.begin(), failures.end(), page,
            [](const FailurePlace& f, std::uint32_t p) { return f.page < p; });
        auto end = std::find_if(first, failures.end(), [&](const FailurePlace& f) { return f.page != page; });
        if (first == end) {
            cases += "/>\n";
            continue;
        }
        cases += ">\n";
        for (auto f = first; f != end; ++f)
            cases += "      <failure type=\"" + Xml(f->result) + "\" message=\"" + Xml(f->ref) + ": "
                + Xml(f->result) + "\">" + name + ":" + std::to_string(f->line) + "</failure>\n";
        counted += std::size_t(end - first);
        cases += "    </testcase>\n";
    }
    std::string counts = "tests=\"" + std::to_string(pages.size()) + "\" failures=\""
        + std::to_string(counted) + "\" errors=\"0\"";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"tarvik\" " + counts
        + ">\n  <testsuite name=\"links and images\" " + counts + ">\n" + cases
        + "  </testsuite>\n</testsuites>\n";
}
