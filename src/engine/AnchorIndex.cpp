#include "engine/AnchorIndex.h"

#include "engine/TagAttributes.h"
#include "engine/TagWalker.h"
#include "platform/CaseFold.h"

namespace {

bool IsNameEnd(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '/' || c == '>'; }

std::string_view TagName(std::string_view tag)
{
    // A loop, not find_first_of, which searches its set of ends once for every byte.
    std::size_t end = 1;
    while (end < tag.size() && !IsNameEnd(tag[end]))
        ++end;
    return tag.substr(1, end - 1);
}

/// Whether an attribute named ID or NAME can stand in the tag: most tags hold neither,
/// and looking for the words costs less than reading the attributes. An attribute's name
/// follows a blank, a "/", a quote or a stray "=".
bool MayNameAnchor(std::string_view tag)
{
    for (std::size_t i = 1; i + 2 < tag.size(); ++i) {
        char c = tag[i];
        if (!IsNameEnd(c) && c != '"' && c != '\'' && c != '=')
            continue;
        std::string_view rest = tag.substr(i + 1);
        if (CaseFold::StartsWithIgnoringCase(rest, "id") || CaseFold::StartsWithIgnoringCase(rest, "name"))
            return true;
    }
    return false;
}

}

AnchorIndex::Anchors AnchorIndex::AnchorsOf(std::string_view pageText)
{
    // Views of the page text until the set copies them.
    std::vector<std::string_view> anchors;
    TagWalker walker(pageText);
    std::string_view tag;
    while (walker.Next(tag)) {
        if (!MayNameAnchor(tag))
            continue;
        // Browsers jump to an element's ID, or to the NAME of a link or an image map, and
        // to no other NAME (a form field's, a meta tag's).
        std::string_view name = TagName(tag);
        bool named = CaseFold::EqualIgnoringCase(name, "A") || CaseFold::EqualIgnoringCase(name, "MAP");
        TagAttributes attributes(tag);
        TagAttributes::Attribute a;
        while (attributes.Next(a))
            if (a.hasValue
                && (CaseFold::EqualIgnoringCase(a.name, "ID")
                    || (named && CaseFold::EqualIgnoringCase(a.name, "NAME"))))
                anchors.push_back(a.value);
    }
    return Anchors(std::move(anchors));
}

AnchorIndex::Match AnchorIndex::Find(const Anchors& anchors, std::string_view fragment)
{
    if (anchors.Contains(fragment))
        return Match::Exact;
    // Only a link that is wrong anyway pays for the walk through the page's anchors.
    bool otherCase = false;
    anchors.ForEach([&](std::string_view anchor) { otherCase = otherCase || CaseFold::EqualIgnoringCase(anchor, fragment); });
    return otherCase ? Match::OtherCase : Match::None;
}
