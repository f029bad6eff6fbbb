#include "report/TextReport.h"

#include <cstdio>

namespace TextReport {

namespace {

using Keep = KeepWhenFailedOnly;

std::string Count(std::size_t n) { return std::to_string(n); }

/// A list entry as a report line shows it.
std::string Indented(std::string_view entry) { return std::string(8, ' ').append(entry); }

void WriteItems(ReportWriter& w, RunLabels& labels, const StringList& list)
{
    list.ForEach([&](std::string_view e) { w.WriteReportLine(Indented(e), ReportStyle::Normal, 0, ReportColour::Black); });
    labels.AdvanceGauge(long(list.Count()));
}

void WriteFailureItems(ReportWriter& w, RunLabels& labels, const StringList& list, ReportColour colour)
{
    list.ForEach([&](std::string_view e) { w.WriteReportLine(Indented(e), ReportStyle::Bold, 1, colour, Keep::Yes); });
    labels.AdvanceGauge(long(list.Count()));
}

void WriteCommentedItems(ReportWriter& w, RunLabels& labels, const StringList& list)
{
    list.ForEach([&](std::string_view e) { w.WriteReportLine(Indented(e), ReportStyle::Normal, 0, ReportColour::Gray); });
    labels.AdvanceGauge(long(list.Count()));
}

std::string ActiveImagesHeading(std::size_t n, std::size_t selected, ReportScope scope)
{
    bool perFile = scope == ReportScope::OnePage;
    std::string subject = perFile ? "The file" : "The selected file";
    if (n == 0)
        return subject + (perFile || selected < 2 ? " has" : "s have") + " no valid images links.";
    return subject + (perFile || selected == 1 ? " has" : "s have") + " the following " + Count(n) + " valid image link"
        + (n > 1 ? "s" : "") + ":";
}

std::string ActiveLinksHeading(std::size_t n, std::size_t selected, ReportScope scope)
{
    std::string start = scope == ReportScope::OnePage ? "The file contains"
                                                      : std::string("The selected file") + (selected < 2 ? " contains" : "s contain");
    std::string amount = n == 0 ? " no" : n == 1 ? " this" : " these " + Count(n);
    return start + amount + " active link" + (n == 1 ? "" : "s") + (n > 0 ? ":" : " (or all links are invalid)");
}

void WriteFailedExternalLinks(ReportWriter& w, RunLabels& labels, const StringList& list)
{
    std::size_t n = list.Count();
    w.WriteReportLine("\r\nThe following " + (n < 2 ? std::string(" external link failed") : Count(n) + " external links failed"),
        ReportStyle::BoldItalic, 0, ReportColour::Red, Keep::Yes);
    list.ForEach([&](std::string_view entry) {
        std::size_t open = entry.find('(');
        std::string address(entry.substr(0, open));
        std::string reason(open == std::string_view::npos ? "" : entry.substr(open + 1));
        if (!reason.empty())
            reason.pop_back();
        if (!reason.empty())
            reason[0] = CaseFold::Upper(reason[0]);
        w.WriteReportLine("        " + address, ReportStyle::Bold, 1, ReportColour::Red, Keep::Yes);
        w.WriteReportLine("                       Reason: " + reason, ReportStyle::Normal, 0, ReportColour::Black, Keep::Yes);
    });
    labels.AdvanceGauge(long(n));
}

void WriteImageSections(ReportWriter& w, RunLabels& labels, const TextReportInputs& in, ReportScope scope)
{
    const ResultLists& l = in.lists;
    if (in.ReportIntImages) {
        w.WriteReportLine("", ReportStyle::Normal, 0, ReportColour::Black);
        labels.SetStatus("CREATING REPORT... Active Images");
        w.WriteReportLine(ActiveImagesHeading(l.ValidImages.Count(), in.selectionCount, scope), ReportStyle::Bold, 0,
            ReportColour::Blue);
        WriteItems(w, labels, l.ValidImages);
    }
    if (in.ReportExtImages && in.ListUnchecked && !l.UncheckedExtImages.Empty()) {
        std::size_t n = l.UncheckedExtImages.Count();
        labels.SetStatus("CREATING REPORT... Ext. Images not Checked");
        w.WriteReportLine(std::string("The following external image link") + (n < 2 ? " has" : "s have") + " not been checked:",
            ReportStyle::Bold, 0, ReportColour::Blue);
        WriteItems(w, labels, l.UncheckedExtImages);
    } else if (!in.ReportExtImages) {
        w.WriteReportLine("External images have not been checked", ReportStyle::Bold, 0, ReportColour::Blue);
    }
    if (!l.MissingImages.Empty()) {
        std::size_t n = l.MissingImages.Count();
        labels.SetStatus("CREATING REPORT... Missing Images");
        w.WriteReportLine("\r\nThe following " + (n < 2 ? std::string("image") : Count(n) + " images")
                + " CANNOT BE FOUND (or the filename case was wrong):",
            ReportStyle::BoldItalic, 0, ReportColour::Red, Keep::Yes);
        WriteFailureItems(w, labels, l.MissingImages, ReportColour::Red);
    }
    if (!l.CommentedImages.Empty()) {
        std::size_t n = l.CommentedImages.Count();
        labels.SetStatus("CREATING REPORT... Commented Images");
        w.WriteReportLine("The following " + (n < 2 ? std::string("image is") : Count(n) + " images are") + " commented out:",
            ReportStyle::Bold, 0, ReportColour::Blue);
        WriteCommentedItems(w, labels, l.CommentedImages);
    }
}

void WriteLinkSections(ReportWriter& w, RunLabels& labels, const TextReportInputs& in, ReportScope scope)
{
    const ResultLists& l = in.lists;
    if (in.ReportLinks) {
        labels.SetStatus("CREATING REPORT... Active Links");
        w.WriteReportLine("---------------------------", ReportStyle::Normal, 0, ReportColour::Black);
        w.WriteReportLine(ActiveLinksHeading(l.ValidLinks.Count(), in.selectionCount, scope), ReportStyle::Bold, 0,
            ReportColour::Blue);
        if (l.ValidLinks.Empty())
            w.WriteReportLine("     NONE", ReportStyle::Normal, 0, ReportColour::Black);
        WriteItems(w, labels, l.ValidLinks);
    }
    if (in.ReportExtLinks && in.ListUnchecked && !l.UncheckedExtLinks.Empty()) {
        std::size_t n = l.UncheckedExtLinks.Count();
        labels.SetStatus("CREATING REPORT... Ext. Links not Checked");
        w.WriteReportLine("The following " + (n > 1 ? Count(n) + " " : std::string()) + "external link"
                + (n < 2 ? " has" : "s have") + " not been checked:",
            ReportStyle::Bold, 0, ReportColour::Blue);
        WriteItems(w, labels, l.UncheckedExtLinks);
    } else if (!in.ReportExtLinks) {
        w.WriteReportLine("External links have not been checked", ReportStyle::Bold, 0, ReportColour::Blue);
    }
    if (!l.FailedLinks.Empty()) {
        std::size_t n = l.FailedLinks.Count();
        labels.SetStatus("CREATING REPORT... Failed Links");
        w.WriteReportLine("\r\nThe following " + (n < 2 ? std::string("link points") : Count(n) + " links point")
                + " to NON-EXISTENT pages (or the filname case was wrong):",
            ReportStyle::BoldItalic, 0, ReportColour::Red, Keep::Yes);
        WriteFailureItems(w, labels, l.FailedLinks, ReportColour::Red);
    }
    if (in.ReportExtLinks && !l.NotFoundExtLinks.Empty()) {
        std::size_t n = l.NotFoundExtLinks.Count();
        w.WriteReportLine("\r\nThe following " + (n < 2 ? std::string(" external link") : Count(n) + " external links")
                + " connected but failed to find document:",
            ReportStyle::BoldItalic, 0, ReportColour::Maroon, Keep::Yes);
        WriteFailureItems(w, labels, l.NotFoundExtLinks, ReportColour::Maroon);
    }
    if (in.ReportExtLinks && !l.FailedExtLinks.Empty())
        WriteFailedExternalLinks(w, labels, l.FailedExtLinks);
    if (!l.CommentedLinks.Empty()) {
        std::size_t n = l.CommentedLinks.Count();
        labels.SetStatus("CREATING REPORT... Commented Links");
        w.WriteReportLine("\r\nThe following " + (n < 2 ? std::string("link is") : Count(n) + " links are") + " commented out:",
            ReportStyle::Bold, 0, ReportColour::Blue);
        WriteCommentedItems(w, labels, l.CommentedLinks);
    }
}

}

void WritePageHeading(ReportWriter& writer, const std::string& page)
{
    writer.WriteReportLine(page, ReportStyle::BoldItalic, 2, ReportColour::Green);
}

void WriteSections(ReportWriter& w, RunLabels& labels, const TextReportInputs& in, bool withImages, bool withLinks,
    ReportScope scope)
{
    if (withImages)
        WriteImageSections(w, labels, in, scope);
    if (withLinks)
        WriteLinkSections(w, labels, in, scope);
    if (in.AbortRequested && !in.PagesToCheck.Empty()) {
        std::size_t n = in.PagesToCheck.Count();
        labels.SetStatus("CREATING REPORT... File remaining");
        w.WriteReportLine("The following " + (n < 2 ? std::string("file was") : Count(n) + " files were")
                + " awaiting checking when aborted:",
            ReportStyle::Bold, 0, ReportColour::Red);
        in.PagesToCheck.ForEach(
            [&](std::string_view e) { w.WriteReportLine(Indented(e), ReportStyle::Normal, 0, ReportColour::Red); });
        labels.AdvanceGauge(long(n));
    }
    labels.SetStatus("");
}

void WriteVerdict(ReportWriter& w, bool errors)
{
    std::string rule(errors ? 33 : 30, '=');
    w.WriteReportLine(rule, ReportStyle::Normal, 0, ReportColour::Black);
    if (errors)
        w.WriteReportLine("=== ERRORS WERE REPORTED ===", ReportStyle::Bold, 2, ReportColour::Red);
    else
        w.WriteReportLine("|||||| No errors were reported ||||||", ReportStyle::Bold, 2, ReportColour::Green);
    w.WriteReportLine(rule, ReportStyle::Normal, 0, ReportColour::Black);
}

void WriteClosingBlock(ReportWriter& w, RunLabels& labels, const StringList& filesNotAnalysed, StringList& unusedFiles,
    bool reportUnused)
{
    if (!filesNotAnalysed.Empty()) {
        std::size_t n = filesNotAnalysed.Count();
        w.WriteReportLine("The following " + (n < 2 ? std::string("file was") : Count(n) + " files were") + " not analysed:",
            ReportStyle::Bold, 0, ReportColour::Blue);
        filesNotAnalysed.ForEach(
            [&](std::string_view e) { w.WriteReportLine(FileNamePart(std::string(e)), ReportStyle::Normal, 0, ReportColour::Black); });
        w.WriteReportLine("===========================", ReportStyle::Normal, 0, ReportColour::Black);
        labels.AdvanceGauge(long(n));
    }
    if (!reportUnused)
        return;
    unusedFiles.Sort();
    std::size_t u = unusedFiles.Count();
    w.WriteReportLine("The following " + (u > 1 ? Count(u) + " " : std::string()) + "file" + (u == 1 ? " was " : "s were ")
            + "not used:",
        ReportStyle::Bold, 0, ReportColour::Blue);
    unusedFiles.ForEach([&](std::string_view e) { w.WriteReportLine(std::string(e), ReportStyle::Normal, 0, ReportColour::Black); });
    if (u == 0)
        w.WriteReportLine("(NONE)", ReportStyle::Normal, 0, ReportColour::Black);
}

void WriteTotalTime(ReportWriter& w, double seconds)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", seconds);
    w.WriteReportLine("", ReportStyle::Normal, 0, ReportColour::Black);
    w.WriteReportLine(std::string("Total Response Time: ") + text + " secs.", ReportStyle::Bold, 0, ReportColour::Black);
    w.WriteReportLine("", ReportStyle::Normal, 0, ReportColour::Black);
}

std::string FileNamePart(const std::string& page)
{
    std::size_t cut = page.find_last_of("\\:");
    return cut == std::string::npos ? page : page.substr(cut + 1);
}

}
