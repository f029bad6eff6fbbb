#include "engine/AnchorIndex.h"

#include "engine/TagAttributes.h"
#include "engine/TagWalker.h"
#include "platform/CaseFold.h"

AnchorIndex::Anchors AnchorIndex::AnchorsOf(std::string_view pageText)
{
    Anchors anchors;
    TagWalker walker(pageText);
    std::string_view tag;
    while (walker.Next(tag)) {
        TagAttributes attributes(tag);
        TagAttributes::Attribute a;
        while (attributes.Next(a))
            if (a.hasValue && (CaseFold::EqualIgnoringCase(a.name, "NAME") || CaseFold::EqualIgnoringCase(a.name, "ID")))
                anchors.insert(CaseFold::UpperCase(a.value));
    }
    return anchors;
}
