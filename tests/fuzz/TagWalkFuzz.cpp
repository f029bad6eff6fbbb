// Feeds the input as a page's text to the tag walk and hands every tag it yields to the
// attribute reader, the reference cutter (for each attribute the scanner hands on) and
// the anchor index and the readers of today's markup (srcset, CSS url(), refresh), and
// counts the lines up to each tag as the walk goes, as a count of every byte does. The
// walk made ahead of a page's turn keeps every tag, in order, with references cut from it.
#include "FuzzCheck.h"

#include "engine/AnchorIndex.h"
#include "engine/Html5References.h"
#include "engine/LineCounter.h"
#include "engine/ReferenceCutter.h"
#include "engine/TagAttributes.h"
#include "engine/TagWalker.h"
#include "engine/WalkedPage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool Inside(std::string_view part, std::string_view whole)
{
    return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

void CheckAttributes(std::string_view tag)
{
    TagAttributes attributes(tag);
    TagAttributes::Attribute a;
    std::size_t count = 0;
    while (attributes.Next(a)) {
        FUZZ_CHECK(++count <= tag.size());
        FUZZ_CHECK(!a.name.empty() && Inside(a.name, tag));
        FUZZ_CHECK(a.nameEnd == static_cast<std::size_t>(a.name.data() - tag.data()) + a.name.size());
        FUZZ_CHECK(a.hasValue || a.value.empty());
        FUZZ_CHECK(a.value.empty() || Inside(a.value, tag));
        FUZZ_CHECK(a.value.empty() || a.value.data() >= a.name.data() + a.name.size());
    }
}

void CheckReferences(std::string_view tag)
{
    for (std::string_view attribute : { "SRC", "HREF", "BACKGROUND" }) {
        std::optional<std::string_view> reference = CutReference(tag, attribute);
        if (!reference)
            continue;
        FUZZ_CHECK(!reference->empty() && Inside(*reference, tag));
        FUZZ_CHECK(reference->find_first_of("<>") == std::string_view::npos);
    }
}

void CheckHtml5(std::string_view tag, std::string_view rawText)
{
    if (std::optional<std::string_view> srcset = CutReference(tag, "SRCSET"))
        for (std::string_view url : Html5References::SrcsetUrls(*srcset))
            FUZZ_CHECK(!url.empty() && Inside(url, *srcset));
    for (std::string_view css : { CutReference(tag, "STYLE").value_or(""), rawText })
        for (const Html5References::CssUrl& url : Html5References::CssUrls(css))
            FUZZ_CHECK(!url.url.empty() && Inside(url.url, css) && url.url.data() == css.data() + url.offset);
    if (std::optional<std::string_view> content = CutReference(tag, "CONTENT"))
        if (std::optional<std::string_view> url = Html5References::RefreshUrl(*content))
            FUZZ_CHECK(!url->empty() && Inside(*url, *content));
}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view page(reinterpret_cast<const char*>(data), size);
    AnchorIndex::Anchors pageAnchors = AnchorIndex::AnchorsOf(page);
    std::vector<std::string> tagAnchorTexts;

    TagWalker walker(page);
    std::string_view tag;
    const char* lastEnd = page.data();
    LineCounter lines(page);
    // The lines counted byte by byte, as far as the walk has come.
    std::size_t counted = 0;
    std::uint32_t countedLine = 1;
    while (walker.Next(tag)) {
        FUZZ_CHECK(Inside(tag, page));
        FUZZ_CHECK(tag.size() >= 2 && tag.front() == '<' && tag.back() == '>');
        FUZZ_CHECK(tag.find('>') == tag.size() - 1);
        // Tags come in page order and never overlap.
        FUZZ_CHECK(tag.data() >= lastEnd);
        lastEnd = tag.data() + tag.size();
        for (std::size_t offset = std::size_t(tag.data() - page.data()); counted < offset; ++counted)
            if (page[counted] == '\n'
                || (page[counted] == '\r' && (counted + 1 == page.size() || page[counted + 1] != '\n')))
                ++countedLine;
        FUZZ_CHECK(lines.LineAt(counted) == countedLine);
        CheckAttributes(tag);
        CheckReferences(tag);
        FUZZ_CHECK(walker.RawText().empty() || Inside(walker.RawText(), page));
        CheckHtml5(tag, walker.RawText());
        AnchorIndex::AnchorsOf(tag).ForEach([&](std::string_view a) { tagAnchorTexts.emplace_back(a); });
    }
    // The anchors of a page are exactly those of the tags the walk yields.
    FUZZ_CHECK(AnchorIndex::Anchors({ tagAnchorTexts.begin(), tagAnchorTexts.end() }) == pageAnchors);
    pageAnchors.ForEach([&](std::string_view a) { FUZZ_CHECK(pageAnchors.Contains(a)); });

    WalkedPage walked
        = WalkedPage::Of(std::string(page), WalkedPage::Markup::Html5, WalkedPage::Anchors::Index);
    FUZZ_CHECK(walked.anchors == pageAnchors);
    TagWalker again(page);
    for (const WalkedPage::Tag& kept : walked.tags) {
        FUZZ_CHECK(again.Next(tag) && walked.TagText(kept) == tag && walked.RawText(kept) == again.RawText());
        FUZZ_CHECK(kept.firstReference + kept.referenceCount <= walked.references.size());
    }
    FUZZ_CHECK(!again.Next(tag));
    for (const WalkedPage::Reference& reference : walked.references)
        FUZZ_CHECK(
            reference.valueOffset + reference.valueSize <= walked.values.size() && reference.valueSize > 0);
    return 0;
}
