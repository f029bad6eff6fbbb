#pragma once

#include <optional>
#include <string_view>

/// The reference that an attribute of a tag carries (the text of `tag` at that place,
/// letter case as written), or nothing when the tag has no such attribute with a value.
/// The attribute is found as a whole attribute name of the tag; from there blanks, "="
/// and quotes are skipped, the first quote met closes the value, and the value also ends
/// at ">" or "<". Blanks, tabs and line ends around the value are left out; an empty
/// value, quoted or not, carries no reference.
std::optional<std::string_view> CutReference(std::string_view tag, std::string_view attributeName);
