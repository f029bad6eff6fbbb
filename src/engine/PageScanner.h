#pragma once

#include "engine/Html5Scanner.h"
#include "engine/ReferenceCheck.h"
#include "engine/RunContext.h"
#include "engine/WalkedPage.h"

#include <string>

/// Reads one page of the queue and walks its markup tag by tag, handing every tag that
/// may carry a reference to the link check once per attribute group. It refuses files
/// that are not pages, asks before analysing a file without HTML markers, shows the
/// page's title and skips comments.
class PageScanner {
public:
    enum class Question { Ask, Suppress };

    explicit PageScanner(RunContext& context)
        : m_ctx(context)
        , m_check(context)
        , m_html5(context, m_check)
    {
    }

    /// True when the page was loaded and scanned to its end; false when it was refused
    /// by its extension, could not be read, was declined, or the run was aborted.
    bool ScanPage(const std::string& page, Question question = Question::Ask);

private:
    bool WantsAnalysis(const std::string& page, const WalkedPage& walked);
    void ReportUnreadable(const std::string& page, const std::string& reason);
    bool Walk(const WalkedPage& walked, const std::string& folder);
    /// Hands the page's external addresses to the probes before the walk reaches them.
    void StartProbesAhead(const WalkedPage& walked, const std::string& folder);

    RunContext& m_ctx;
    ReferenceCheck m_check;
    Html5Scanner m_html5;
    std::vector<ResolvedReference::KeyView> m_keys;
    /// The reference each key was found to have before the walk, or None.
    std::vector<std::uint32_t> m_knownRefs;
};
