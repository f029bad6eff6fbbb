#include "engine/PageScanner.h"

#include "engine/LineCounter.h"
#include "engine/PathText.h"
#include "platform/CaseFold.h"
#include "report/TextReport.h"

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
    WalkedPage walked;
    WalkedPage::Markup markup = m_ctx.options.Html5 ? WalkedPage::Markup::Html5 : WalkedPage::Markup::Classic;
    if (m_ctx.online) {
        std::string text;
        // A failed download has been reported where it failed, once.
        if (!m_ctx.online->FetchPage(page, text))
            return false;
        walked = WalkedPage::Of(std::move(text), markup, WalkedPage::Anchors::Skip);
    } else if (FileRead read = m_ctx.site.ReadPage(page, markup, walked); !read.Ok()) {
        ReportUnreadable(page, read.Reason());
        return false;
    }
    m_ctx.models.Labels.SetStatus("Finding links in " + page);
    if (question == Question::Ask && !WantsAnalysis(page, walked))
        return false;
    if (walked.title)
        m_ctx.models.Labels.SetTitle(*walked.title);

    if (!Walk(walked, PathText::FolderOf(page)))
        return false;
    state.Places.NoteAnalysedPage(page);
    return true;
}

void PageScanner::ReportUnreadable(const std::string& page, const std::string& reason)
{
    m_ctx.state.FailedLinks.Add(page);
    m_ctx.models.LinkGrid.FillLastRow(page, "FAILED: " + reason, "", RowColour::Red);
}

bool PageScanner::WantsAnalysis(const std::string& page, const WalkedPage& walked)
{
    RunState& state = m_ctx.state;
    if (state.YesToAllGiven || walked.htmlMarkers)
        return true;
    std::string question = "'";
    question += TextReport::FileNamePart(page);
    question += "' may not be an HTML file (no <HTML> tag). Do you still want to analyse it?";
    auto answer = m_ctx.host.AskYesAllNo(question);
    if (answer == RunHost::YesAllNo::No)
        return false;
    if (answer == RunHost::YesAllNo::YesToAll)
        state.YesToAllGiven = true;
    return true;
}

void PageScanner::StartProbesAhead(const WalkedPage& walked, const std::string& folder)
{
    m_check.ClearStartedAhead();
    for (const WalkedPage::Reference& reference : walked.references)
        m_check.StartProbeAhead(walked.Value(reference), reference.use, folder);
}

bool PageScanner::Walk(const WalkedPage& walked, const std::string& folder)
{
    RunState& state = m_ctx.state;
    if (m_ctx.probes)
        StartProbesAhead(walked, folder);
    LineCounter lines(walked.text);
    bool keysMade = walked.HasKeys();
    if (keysMade) {
        m_keys.clear();
        for (std::size_t i = 0; i < walked.references.size(); ++i)
            m_keys.push_back(walked.KeyOf(i));
        state.Places.Foresee(m_keys, m_knownRefs);
    }
    for (const WalkedPage::Tag& tag : walked.tags) {
        m_ctx.host.ProcessMessages();
        if (state.AbortRequested)
            return false;
        if (tag.carriesReferences)
            state.CurrentLine = tag.line;
        for (std::uint32_t i = tag.firstReference; i < tag.firstReference + tag.referenceCount; ++i) {
            const WalkedPage::Reference& reference = walked.references[i];
            if (keysMade)
                m_check.CheckValue(walked.Value(reference), reference.use, folder, walked.KeyOf(i), m_knownRefs[i]);
            else
                m_check.CheckValue(walked.Value(reference), reference.use, folder);
            if (state.AbortRequested)
                return false;
        }
        if (m_ctx.options.Html5)
            m_html5.Scan(walked.TagText(tag), tag.offset, walked.RawText(tag), tag.rawOffset, lines, folder);
        if (state.AbortRequested)
            return false;
        m_ctx.host.ProcessMessages();
    }
    return true;
}
