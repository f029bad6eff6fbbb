#pragma once

#include <cstddef>
#include <string_view>

/// Reads the attributes of one tag text ("<name attr=value ...>") in order, the way a
/// browser does: a quoted value runs to its closing quote, so a name written inside
/// another attribute's value is never taken for an attribute.
class TagAttributes {
public:
    struct Attribute {
        std::string_view name;
        /// Offset in the tag text just after the name.
        std::size_t nameEnd = 0;
        bool hasValue = false;
        /// The value without its quotes.
        std::string_view value;
    };

    explicit TagAttributes(std::string_view tag);

    bool Next(Attribute& attribute);

private:
    std::string_view m_tag;
    std::size_t m_pos = 0;
};
