#pragma once

#include <optional>
#include <string>
#include <string_view>

/// Texts of references read as a browser reads an address: the scheme that makes a value
/// an address rather than a path, and the percent escapes a web server decodes before it
/// looks for a file.
namespace UrlText {

/// The scheme a value begins with, as written ("http", "javascript"): a letter, then
/// letters, digits, "+", "-" or ".", two characters or more before the first ":". Empty
/// when the value is a path, so a drive letter ("C:\\x") is no scheme.
std::string_view SchemeOf(std::string_view value);

/// Whether an address of this scheme can be asked for over the network.
bool IsWebScheme(std::string_view scheme);

/// Every "%XX" escape decoded; a "%" not followed by two hexadecimal digits stays.
std::string Decode(std::string_view text);

/// A path part decoded, or nothing when an escape stands for a separator ("%2F") or a
/// NUL byte: no file can be named that way.
std::optional<std::string> DecodePath(std::string_view path);

/// The decoded path on this machine that a "file:" address names: after "file://" only an
/// empty host or "localhost" is this machine. Nothing when it names no local path.
std::optional<std::string> FilePathOf(std::string_view address);

}
