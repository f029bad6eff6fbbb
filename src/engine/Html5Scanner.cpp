#include "engine/Html5Scanner.h"

#include "engine/Html5References.h"
#include "engine/ReferenceCutter.h"
#include "platform/CaseFold.h"

#include <algorithm>

namespace {

using Use = ResolvedReference::Use;

bool Named(std::string_view name, std::initializer_list<std::string_view> names)
{
    for (std::string_view n : names)
        if (CaseFold::EqualIgnoringCase(name, n))
            return true;
    return false;
}

/// Whether "url(" stands in the text, letter case ignored; "(" is rare in tags, so it is
/// what is looked for.
bool HoldsUrlFunction(std::string_view text)
{
    for (std::size_t at = text.find('('); at != std::string_view::npos; at = text.find('(', at + 1))
        if (at >= 3 && CaseFold::EqualIgnoringCase(text.substr(at - 3, 3), "url"))
            return true;
    return false;
}
}

void Html5Scanner::Scan(std::string_view tag, std::size_t offset, const TagWalker& walker, LineCounter& lines,
    const std::string& folder)
{
    ScanTag(tag, offset, lines, folder);
    if (!m_ctx.state.AbortRequested && CaseFold::EqualIgnoringCase(TagWalker::NameOf(tag), "style"))
        ScanStyleText(walker.RawText(), walker.RawTextOffset(), lines, folder);
}

void Html5Scanner::Check(std::string_view tag, std::string_view attribute, Use use, const std::string& folder)
{
    if (std::optional<std::string_view> value = CutReference(tag, attribute))
        m_check.CheckValue(*value, use, folder);
}

void Html5Scanner::ScanTag(
    std::string_view written, std::size_t offset, LineCounter& lines, const std::string& folder)
{
    // Reading every tag's attributes for a style would cost more than the rest of the
    // walk; a style without a url() carries no reference.
    std::string_view name = TagWalker::NameOf(written);
    bool styled = HoldsUrlFunction(written);
    bool srcset = Named(name, { "img", "source" })
        && CaseFold::FindIgnoringCase(written, "srcset") != std::string_view::npos;
    if (!styled && !srcset && !Named(name, { "source", "audio", "video", "track", "object", "meta" }))
        return;
    m_ctx.state.CurrentLine = lines.LineAt(offset);
    // An unquoted value ends at a blank, and a line end between attributes is one.
    m_tag.assign(written);
    std::replace_if(
        m_tag.begin(), m_tag.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    std::string_view tag = m_tag;
    if (srcset)
        if (std::optional<std::string_view> candidates = CutReference(tag, "SRCSET"))
            for (std::string_view url : Html5References::SrcsetUrls(*candidates))
                m_check.CheckValue(url, Use::Image, folder);
    if (Named(name, { "source", "audio", "video", "track" }))
        Check(tag, "SRC", Use::Link, folder);
    if (Named(name, { "video" }))
        Check(tag, "POSTER", Use::Image, folder);
    if (Named(name, { "object" }))
        Check(tag, "DATA", Use::Link, folder);
    if (Named(name, { "meta" })) {
        std::optional<std::string_view> equiv = CutReference(tag, "HTTP-EQUIV");
        std::optional<std::string_view> content = CutReference(tag, "CONTENT");
        if (equiv && content && CaseFold::EqualIgnoringCase(*equiv, "refresh"))
            if (std::optional<std::string_view> url = Html5References::RefreshUrl(*content))
                m_check.CheckValue(*url, Use::Link, folder);
    }
    if (!styled)
        return;
    if (std::optional<std::string_view> style = CutReference(tag, "STYLE"))
        for (const Html5References::CssUrl& css : Html5References::CssUrls(*style))
            m_check.CheckValue(css.url, Use::Image, folder);
}

void Html5Scanner::ScanStyleText(
    std::string_view css, std::size_t offset, LineCounter& lines, const std::string& folder)
{
    for (const Html5References::CssUrl& url : Html5References::CssUrls(css)) {
        if (m_ctx.state.AbortRequested)
            return;
        m_ctx.state.CurrentLine = lines.LineAt(offset + url.offset);
        m_check.CheckValue(url.url, Use::Image, folder);
    }
}
