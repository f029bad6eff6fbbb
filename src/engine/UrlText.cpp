#include "engine/UrlText.h"

#include "platform/CaseFold.h"

#include <algorithm>

namespace UrlText {

namespace {

    bool IsLetter(char c)
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    }
    bool IsDigit(char c)
    {
        return c >= '0' && c <= '9';
    }

    int HexValue(char c)
    {
        if (IsDigit(c))
            return c - '0';
        c = CaseFold::Lower(c);
        return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    }

    /// The byte an escape at `at` stands for, or -1 when there is no escape there.
    int EscapeAt(std::string_view text, std::size_t at)
    {
        if (text[at] != '%' || at + 2 >= text.size())
            return -1;
        int high = HexValue(text[at + 1]);
        int low = HexValue(text[at + 2]);
        return high < 0 || low < 0 ? -1 : high * 16 + low;
    }

}

std::string_view SchemeOf(std::string_view value)
{
    if (value.empty() || !IsLetter(value[0]))
        return {};
    std::size_t i = 1;
    while (i < value.size()
        && (IsLetter(value[i]) || IsDigit(value[i]) || value[i] == '+' || value[i] == '-' || value[i] == '.'))
        ++i;
    if (i < 2 || i >= value.size() || value[i] != ':')
        return {};
    return value.substr(0, i);
}

bool IsWebScheme(std::string_view scheme)
{
    for (std::string_view web : { "http", "https", "ftp" })
        if (CaseFold::EqualIgnoringCase(scheme, web))
            return true;
    return false;
}

std::string Decode(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    // Most texts hold no escape: the bytes up to each "%" go in at once.
    for (std::size_t i = 0; i < text.size();) {
        std::size_t percent = std::min(text.find('%', i), text.size());
        out.append(text.substr(i, percent - i));
        if (percent == text.size())
            break;
        int byte = EscapeAt(text, percent);
        out += byte < 0 ? '%' : char(byte);
        i = percent + (byte < 0 ? 1 : 3);
    }
    return out;
}

std::optional<std::string> DecodePath(std::string_view path)
{
    for (std::size_t i = path.find('%'); i != std::string_view::npos; i = path.find('%', i + 1)) {
        int byte = EscapeAt(path, i);
        if (byte == '/' || byte == '\\' || byte == 0)
            return std::nullopt;
    }
    return Decode(path);
}

std::optional<std::string> FilePathOf(std::string_view address)
{
    std::string_view rest = address.substr(SchemeOf(address).size() + 1);
    if (rest.substr(0, 2) == "//") {
        std::size_t pathStart = rest.find('/', 2);
        std::string_view host
            = rest.substr(2, pathStart == std::string_view::npos ? std::string_view::npos : pathStart - 2);
        if (!host.empty() && !CaseFold::EqualIgnoringCase(host, "localhost"))
            return std::nullopt;
        rest = pathStart == std::string_view::npos ? std::string_view() : rest.substr(pathStart);
    }
    rest = rest.substr(0, rest.find_first_of("?#"));
    if (rest.empty())
        return std::nullopt;
    return DecodePath(rest);
}

}
