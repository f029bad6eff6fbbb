#include "app/DocumentView.h"

#include "engine/LocalSite.h"
#include "engine/WebAccess.h"
#include "report/ReportDocument.h"

#include <algorithm>

namespace DocumentView {

Document ReadLocal(const std::string& folder, const std::string& file)
{
    Document document { folder + "/" + file, {}, {} };
    FileRead read = LocalSite(folder).FetchPage(file, document.text);
    if (!read.Ok())
        document.failure = read.Reason();
    return document;
}

Document Download(WebAccess& web, const std::string& baseHRef, const std::string& file)
{
    std::string address = baseHRef;
    if (address.empty() || address.back() != '/')
        address += '/';
    address += file;
    Document document { address, {}, {} };
    if (!web.DownloadPage(address, document.text))
        document.failure = web.Reason();
    return document;
}

void Show(ReportDocument& report, const Document& document)
{
    report.Clear();
    report.Append({ document.heading, ReportStyle::Bold });
    report.Append({ "", ReportStyle::Normal });
    if (!document.failure.empty()) {
        report.Append({ "FAILED: " + document.failure, ReportStyle::Normal, 0, ReportColour::Red });
        return;
    }
    // Lines end in CR LF, LF or a lone CR; the end of the last line adds no empty line.
    const std::string& text = document.text;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        report.Append({ text.substr(start, end - start), ReportStyle::Normal });
        start = end + 1;
        if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
}

}
