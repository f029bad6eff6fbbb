#include "engine/Html5Scanner.h"

#include "engine/Html5References.h"
#include "engine/ReferenceCutter.h"
#include "platform/CaseFold.h"

#include <algorithm>
#include <cstring>

namespace {

using Use = ResolvedReference::Use;

/// Whether "url(" stands in the text, letter case ignored; "(" is rare in tags, so it is
/// what is looked for.
bool HoldsUrlFunction(std::string_view text)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    for (const char* at = begin; (at = static_cast<const char*>(std::memchr(at, '(', std::size_t(end - at))));
         ++at)
        if (at - begin >= 3 && CaseFold::EqualIgnoringCase(std::string_view(at - 3, 3), "url"))
            return true;
    return false;
}
}

/// The elements whose own attributes carry references of today's markup.
enum class Html5Scanner::Element { Other, Img, Source, AudioOrTrack, Video, Object, Meta, Style };

// Most tags of a page are links, list items and paragraphs: their name's length rules
// them out before any letter is compared.
Html5Scanner::Element Html5Scanner::ElementOf(std::string_view name)
{
    auto is = [name](std::string_view n) { return CaseFold::EqualIgnoringCase(name, n); };
    switch (name.size()) {
    case 3:
        return is("img") ? Element::Img : Element::Other;
    case 4:
        return is("meta") ? Element::Meta : Element::Other;
    case 5:
        if (is("audio") || is("track"))
            return Element::AudioOrTrack;
        if (is("video"))
            return Element::Video;
        return is("style") ? Element::Style : Element::Other;
    case 6:
        if (is("source"))
            return Element::Source;
        return is("object") ? Element::Object : Element::Other;
    default:
        return Element::Other;
    }
}

void Html5Scanner::Scan(std::string_view tag, std::size_t offset, std::string_view rawText,
    std::size_t rawOffset, LineCounter& lines, const std::string& folder)
{
    Element element = ElementOf(TagWalker::NameOf(tag));
    // Reading every tag's attributes for a style would cost more than the rest of the
    // walk; a style without a url() carries no reference.
    bool styled = HoldsUrlFunction(tag);
    bool srcset = (element == Element::Img || element == Element::Source)
        && CaseFold::FindIgnoringCase(tag, "srcset") != std::string_view::npos;
    bool ownAttributes = element != Element::Other && element != Element::Img && element != Element::Style;
    if (styled || srcset || ownAttributes)
        ScanTag(tag, element, { styled, srcset }, offset, lines, folder);
    if (element == Element::Style && !m_ctx.state.AbortRequested)
        ScanStyleText(rawText, rawOffset, lines, folder);
}

void Html5Scanner::Check(std::string_view tag, std::string_view attribute, Use use, const std::string& folder)
{
    if (std::optional<std::string_view> value = CutReference(tag, attribute))
        m_check.CheckValue(*value, use, folder);
}

void Html5Scanner::ScanTag(std::string_view written, Element element, Holds holds, std::size_t offset,
    LineCounter& lines, const std::string& folder)
{
    m_ctx.state.CurrentLine = lines.LineAt(offset);
    // An unquoted value ends at a blank, and a line end between attributes is one.
    m_tag.assign(written);
    std::replace_if(
        m_tag.begin(), m_tag.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    std::string_view tag = m_tag;
    if (holds.srcset)
        if (std::optional<std::string_view> candidates = CutReference(tag, "SRCSET"))
            for (std::string_view url : Html5References::SrcsetUrls(*candidates))
                m_check.CheckValue(url, Use::Image, folder);
    switch (element) {
    case Element::Source:
    case Element::AudioOrTrack:
        Check(tag, "SRC", Use::Link, folder);
        break;
    case Element::Video:
        Check(tag, "SRC", Use::Link, folder);
        Check(tag, "POSTER", Use::Image, folder);
        break;
    case Element::Object:
        Check(tag, "DATA", Use::Link, folder);
        break;
    case Element::Meta:
        CheckRefresh(tag, folder);
        break;
    case Element::Img:
    case Element::Style:
    case Element::Other:
        break;
    }
    if (!holds.style)
        return;
    if (std::optional<std::string_view> style = CutReference(tag, "STYLE"))
        for (const Html5References::CssUrl& css : Html5References::CssUrls(*style))
            m_check.CheckValue(css.url, Use::Image, folder);
}

void Html5Scanner::CheckRefresh(std::string_view tag, const std::string& folder)
{
    std::optional<std::string_view> equiv = CutReference(tag, "HTTP-EQUIV");
    std::optional<std::string_view> content = CutReference(tag, "CONTENT");
    if (equiv && content && CaseFold::EqualIgnoringCase(*equiv, "refresh"))
        if (std::optional<std::string_view> url = Html5References::RefreshUrl(*content))
            m_check.CheckValue(*url, Use::Link, folder);
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
