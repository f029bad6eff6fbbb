#include "engine/WalkedPage.h"

#include "engine/LineCounter.h"
#include "engine/PathText.h"
#include "engine/ReferenceCutter.h"
#include "engine/TagWalker.h"
#include "platform/CaseFold.h"

#include <algorithm>

namespace {

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

/// Which attributes of a tag carry a reference to check, in the order they are checked.
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

std::optional<std::string> TitleOf(const std::string& text)
{
    std::size_t open = CaseFold::FindIgnoringCase(text, "<TITLE>");
    std::size_t close = CaseFold::FindIgnoringCase(text, "</TITLE>");
    if (open == std::string::npos || close == std::string::npos)
        return std::nullopt;
    return close > open + 7 ? text.substr(open + 7, close - open - 7) : std::string();
}

class Cutter {
public:
    explicit Cutter(WalkedPage& page)
        : m_page(page)
    {
    }

    void Cut(std::string_view attributeName, WalkedPage::Tag& tag)
    {
        std::optional<std::string_view> value = CutReference(m_flat, attributeName);
        if (!value)
            return;
        bool image = CaseFold::StartsWithIgnoringCase(m_flat, "<IMG ") || attributeName == "BACKGROUND";
        m_page.references.push_back({ std::uint32_t(m_page.values.size()), std::uint32_t(value->size()),
            image ? ResolvedReference::Use::Image : ResolvedReference::Use::Link });
        m_page.values.append(*value);
        ++tag.referenceCount;
    }

    void Flatten(std::string_view found) { FlattenTag(found, m_flat); }

private:
    WalkedPage& m_page;
    std::string m_flat;
};

}

WalkedPage WalkedPage::Of(std::string text, Markup markup, Anchors anchors)
{
    WalkedPage page;
    page.text = std::move(text);
    const std::string& t = page.text;
    page.htmlMarkers = CaseFold::FindIgnoringCase(t, "<HTML") != std::string::npos
        && CaseFold::FindIgnoringCase(t, "</HTML>") != std::string::npos;
    page.title = TitleOf(t);
    if (anchors == Anchors::Index)
        page.anchors = AnchorIndex::AnchorsOf(t);

    TagWalker walker(t);
    LineCounter lines(t);
    Cutter cutter(page);
    std::string_view found;
    while (walker.Next(found)) {
        ReferenceGroups groups(found);
        if (!groups.Any() && markup == Markup::Classic)
            continue;
        std::size_t offset = std::size_t(found.data() - t.data());
        Tag tag { std::uint32_t(offset), std::uint32_t(found.size()), std::uint32_t(walker.RawTextOffset()),
            std::uint32_t(walker.RawText().size()), 0, std::uint32_t(page.references.size()), 0,
            groups.Any() };
        if (groups.Any()) {
            tag.line = lines.LineAt(offset);
            cutter.Flatten(found);
        }
        if (groups.src)
            cutter.Cut("SRC", tag);
        if (groups.href)
            cutter.Cut("HREF", tag);
        if (groups.background)
            cutter.Cut("BACKGROUND", tag);
        page.tags.push_back(tag);
    }
    return page;
}

void WalkedPage::MakeKeys(const std::string& page)
{
    std::string folder = PathText::FolderOf(page);
    keys.clear();
    keyTexts.clear();
    keys.reserve(references.size());
    for (const Reference& r : references) {
        ResolvedReference::KeyParts parts
            = ResolvedReference::SeenKeyOf(Value(r), folder, page, r.use, ResolvedReference::Decoding::Decoded);
        keys.push_back({ parts.scope, std::uint32_t(keyTexts.size()), std::uint32_t(parts.text.size()),
            std::uint32_t(parts.fragment.size()) });
        keyTexts += parts.text;
        keyTexts += parts.fragment;
    }
}

std::size_t WalkedPage::Bytes() const
{
    return sizeof(WalkedPage) + text.capacity() + values.capacity() + tags.capacity() * sizeof(Tag)
        + references.capacity() * sizeof(Reference) + keys.capacity() * sizeof(Key) + keyTexts.capacity()
        + anchors.HeapBytes();
}

bool HasPageExtension(std::string_view page)
{
    std::string_view ext = PathText::ExtensionOf(page);
    for (std::string_view accepted : { ".htm", ".html", ".shtml", ".asp" })
        if (CaseFold::EqualIgnoringCase(ext, accepted))
            return true;
    return false;
}
