#pragma once

#include <optional>
#include <string>
#include <string_view>

/// Readers of single response header lines. None of them fails on odd input; each says
/// what it could not read.
namespace HttpHeaderLine {

/// A line whose first eight characters are exactly "HTTP/1.0" or "HTTP/1.1".
bool IsStatusLine(std::string_view line);

struct Status {
    int code = 0;
    std::string reason;
};
/// The three digits after "HTTP/1.x " and the text from the fourteenth character;
/// nothing when the line is not a status line or the code is not three digits.
std::optional<Status> ParseStatus(std::string_view statusLine);

struct Field {
    /// Lower-cased.
    std::string name;
    /// After the ":" and any blanks.
    std::string_view value;
};
/// Nothing when the line holds no ":".
std::optional<Field> SplitField(std::string_view line);

/// The decimal length; nothing when it is not a number that fits.
std::optional<long long> ParseContentLength(std::string_view value);

struct ContentRange {
    std::string begin;
    std::string end;
};
/// "bytes a-b/c" gives a and b; nothing for other forms.
std::optional<ContentRange> ParseContentRange(std::string_view value);

}
