#pragma once

#include "engine/LineCounter.h"
#include "engine/ReferenceCheck.h"
#include "engine/RunContext.h"
#include "engine/TagWalker.h"

#include <string>
#include <string_view>

/// Hands the references of today's markup to the link check: the srcset candidates of
/// images and picture sources (as images), the sources of media, a video's poster (an
/// image), an object's data, the url()s of style attributes and style elements (as
/// images) and where a refresh leads.
class Html5Scanner {
public:
    Html5Scanner(RunContext& context, ReferenceCheck& check)
        : m_ctx(context)
        , m_check(check)
    {
    }

    /// The references of the tag the walk gave, which begins at `offset` of the page, and
    /// of the style text after it: `rawText`, the text the walk skipped as not markup,
    /// which begins at `rawOffset`.
    void Scan(std::string_view tag, std::size_t offset, std::string_view rawText, std::size_t rawOffset,
        LineCounter& lines, const std::string& folder);

private:
    enum class Element;
    static Element ElementOf(std::string_view name);

    /// What a tag was found to hold before its attributes are read.
    struct Holds {
        bool style; // a url() somewhere in it
        bool srcset;
    };
    void ScanTag(std::string_view tag, Element element, Holds holds, std::size_t offset, LineCounter& lines,
        const std::string& folder);
    /// Where a refresh of a meta tag leads.
    void CheckRefresh(std::string_view tag, const std::string& folder);
    void ScanStyleText(
        std::string_view css, std::size_t offset, LineCounter& lines, const std::string& folder);
    void Check(std::string_view tag, std::string_view attribute, ResolvedReference::Use use,
        const std::string& folder);

    RunContext& m_ctx;
    ReferenceCheck& m_check;
    /// The tag being read, line ends as blanks.
    std::string m_tag;
};
