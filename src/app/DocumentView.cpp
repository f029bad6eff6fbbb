#include "app/DocumentView.h"

#include "engine/LocalSite.h"
#include "engine/WebAccess.h"
#include "report/ReportDocument.h"
#include "report/SourceLines.h"

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
    for (std::string_view line : SourceLines(document.text))
        report.Append({ std::string(line), ReportStyle::Normal });
}

}
