#include "engine/PageScanner.h"

#include "engine/LineCounter.h"
#include "engine/PathText.h"
#include "engine/TagWalker.h"
#include "platform/CaseFold.h"
#include "report/TextReport.h"

#include <algorithm>

namespace {

bool HasPageExtension(const std::string& page)
{
    std::string_view ext = PathText::ExtensionOf(page);
    for (std::string_view accepted : { ".htm", ".html", ".shtml", ".asp" })
        if (CaseFold::EqualIgnoringCase(ext, accepted))
            return true;
    return false;
}

/// The first characters of a tag, upper-cased, with line breaks as blanks: what decides
/// the tag's groups.
class TagHead {
public:
    explicit TagHead(std::string_view tag)
    {
        m_size = std::min(tag.size(), sizeof m_text);
        for (std::size_t i = 0; i < m_size; ++i)
            m_text[i] = tag[i] == '\r' || tag[i] == '\n' ? ' ' : CaseFold::Upper(tag[i]);
    }

    bool InGroup(std::initializer_list<std::string_view> prefixes) const
    {
        std::string_view head(m_text, m_size);
        for (std::string_view p : prefixes)
            if (head.substr(0, p.size()) == p)
                return true;
        return false;
    }

private:
    char m_text[10];
    std::size_t m_size;
};

/// Which attributes of a tag carry a reference to check.
struct ReferenceGroups {
    explicit ReferenceGroups(std::string_view tag)
    {
        TagHead head(tag);
        src = head.InGroup({ "<IMG ", "<FRAME", "<IFRAME ", "<SCRIPT ", "<APPLET ", "<BGSOUND ", "<EMBED ",
            "<ILAYER ", "<INPUT ", "<LAYER " });
        href = head.InGroup({ "<A ", "<LINK ", "<AREA ", "<BASE ", "<TABLE " });
        background = head.InGroup({ "<BODY ", "<ILAYER ", "<LAYER ", "<TABLE ", "<TD ", "<TH " });
    }
    bool Any() const { return src || href || background; }

    bool src;
    bool href;
    bool background;
};

/// The tag as its references are cut from it: line breaks read as blanks.
void FlattenTag(std::string_view found, std::string& tag)
{
    tag.assign(found);
    std::replace_if(
        tag.begin(), tag.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
}
}

bool PageScanner::ScanPage(const std::string& page, Question question)
{
    RunState& state = m_ctx.state;
    if (state.AbortRequested)
        return false;
    m_ctx.models.Labels.AdvanceGauge(1);
    m_ctx.host.ProcessMessages();
    if (!HasPageExtension(page))
        return false;

    state.CurrentPageName = TextReport::FileNamePart(page);
    std::string text;
    if (m_ctx.online) {
        // A failed download has been reported where it failed, once.
        if (!m_ctx.online->FetchPage(page, text))
            return false;
    } else if (FileRead read = m_ctx.site.FetchPage(page, text); !read.Ok()) {
        ReportUnreadable(page, read.Reason());
        return false;
    }
    m_ctx.models.Labels.SetStatus("Finding links in " + page);
    if (question == Question::Ask && !WantsAnalysis(page, text))
        return false;
    ShowTitle(text);

    if (!Walk(text, PathText::FolderOf(page)))
        return false;
    state.Places.NoteAnalysedPage(page);
    return true;
}

void PageScanner::ReportUnreadable(const std::string& page, const std::string& reason)
{
    m_ctx.state.FailedLinks.Add(page);
    m_ctx.models.LinkGrid.FillLastRow(page, "FAILED: " + reason, "", RowColour::Red);
}

bool PageScanner::WantsAnalysis(const std::string& page, const std::string& text)
{
    RunState& state = m_ctx.state;
    if (state.YesToAllGiven
        || (CaseFold::FindIgnoringCase(text, "<HTML") != std::string::npos
            && CaseFold::FindIgnoringCase(text, "</HTML>") != std::string::npos))
        return true;
    auto answer = m_ctx.host.AskYesAllNo("'" + TextReport::FileNamePart(page)
        + "' may not be an HTML file (no <HTML> tag). Do you still want to analyse it?");
    if (answer == RunHost::YesAllNo::No)
        return false;
    if (answer == RunHost::YesAllNo::YesToAll)
        state.YesToAllGiven = true;
    return true;
}

void PageScanner::ShowTitle(const std::string& text)
{
    std::size_t open = CaseFold::FindIgnoringCase(text, "<TITLE>");
    std::size_t close = CaseFold::FindIgnoringCase(text, "</TITLE>");
    if (open == std::string::npos || close == std::string::npos)
        return;
    m_ctx.models.Labels.SetTitle(close > open + 7 ? text.substr(open + 7, close - open - 7) : "");
}

void PageScanner::StartProbesAhead(const std::string& text, const std::string& folder)
{
    m_check.ClearStartedAhead();
    TagWalker walker(text);
    std::string_view found;
    std::string tag;
    while (walker.Next(found)) {
        ReferenceGroups groups(found);
        if (!groups.Any())
            continue;
        FlattenTag(found, tag);
        if (groups.src)
            m_check.StartProbeAhead(tag, "SRC", folder);
        if (groups.href)
            m_check.StartProbeAhead(tag, "HREF", folder);
        if (groups.background)
            m_check.StartProbeAhead(tag, "BACKGROUND", folder);
    }
}

bool PageScanner::Walk(const std::string& text, const std::string& folder)
{
    RunState& state = m_ctx.state;
    if (m_ctx.probes)
        StartProbesAhead(text, folder);
    TagWalker walker(text);
    LineCounter lines(text);
    std::string_view found;
    std::string tag;
    while (walker.Next(found)) {
        m_ctx.host.ProcessMessages();
        if (state.AbortRequested)
            return false;
        ReferenceGroups groups(found);
        std::size_t offset = std::size_t(found.data() - text.data());
        if (groups.Any()) {
            state.CurrentLine = lines.LineAt(offset);
            FlattenTag(found, tag);
        }
        if (groups.src)
            m_check.CheckReference(tag, "SRC", folder);
        if (state.AbortRequested)
            return false;
        if (groups.href)
            m_check.CheckReference(tag, "HREF", folder);
        if (state.AbortRequested)
            return false;
        if (groups.background)
            m_check.CheckReference(tag, "BACKGROUND", folder);
        if (state.AbortRequested)
            return false;
        if (m_ctx.options.Html5)
            m_html5.Scan(found, offset, walker, lines, folder);
        if (state.AbortRequested)
            return false;
        m_ctx.host.ProcessMessages();
    }
    return true;
}
