#include "engine/ReferenceCutter.h"

#include "engine/TagAttributes.h"
#include "platform/CaseFold.h"

namespace {

std::optional<std::string_view> CutAfterName(std::string_view tag, std::size_t i)
{
    char closing = ' ';
    bool quoteMet = false;
    for (; i < tag.size(); ++i) {
        char c = tag[i];
        if (c == '"' || c == '\'') {
            if (quoteMet)
                return std::nullopt;
            quoteMet = true;
            closing = c;
        } else if (c != ' ' && c != '\t' && c != '=') {
            break;
        }
    }
    std::size_t start = i;
    while (i < tag.size() && tag[i] != closing && tag[i] != '>' && tag[i] != '<')
        ++i;
    // Browsers ignore blanks, tabs and line ends around an address.
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (i > start && blank(tag[i - 1]))
        --i;
    while (start < i && blank(tag[start]))
        ++start;
    if (i == start)
        return std::nullopt;
    return tag.substr(start, i - start);
}

}

std::optional<std::string_view> CutReference(std::string_view tag, std::string_view attributeName)
{
    TagAttributes attributes(tag);
    TagAttributes::Attribute a;
    while (attributes.Next(a))
        if (a.hasValue && CaseFold::EqualIgnoringCase(a.name, attributeName))
            return CutAfterName(tag, a.nameEnd);
    return std::nullopt;
}
