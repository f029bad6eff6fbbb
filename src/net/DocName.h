#pragma once

#include <string>
#include <string_view>

/// The file name a received document is known by: the last name of the request path,
/// before any query, at most 255 characters; "document.htm" when the path names no file.
/// The result is only ever a name: never empty, ".", "..", or anything holding "/", "\\"
/// or a NUL, whatever the server or the page wrote.
std::string DocNameOf(std::string_view path);

/// A name ending in ".exe" (any case) becomes ".htm" when the document is an HTML page.
std::string DocNameForType(std::string docName, std::string_view contentType);
