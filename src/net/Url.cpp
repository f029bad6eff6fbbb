#include "net/Url.h"

#include "platform/CaseFold.h"

namespace {

void SplitAuthority(std::string_view rest, UrlParts& parts)
{
    const auto pathStart = rest.find_first_of("/?");
    const auto authority = rest.substr(0, pathStart);
    if (pathStart != std::string_view::npos)
        parts.path = rest.substr(pathStart);

    const auto at = authority.rfind('@');
    const auto hostStart = at == std::string_view::npos ? 0 : at + 1;
    // The colons of an IPv6 literal are inside its brackets; a port follows the "]".
    const auto closing
        = authority.substr(hostStart, 1) == "[" ? authority.find(']', hostStart) : std::string_view::npos;
    const auto colon = authority.rfind(':');
    if (closing != std::string_view::npos && (colon == std::string_view::npos || colon < closing)) {
        parts.host = authority.substr(hostStart, closing + 1 - hostStart);
    } else if (colon != std::string_view::npos && (at == std::string_view::npos || colon > at)) {
        parts.port = authority.substr(colon + 1);
        parts.host = authority.substr(hostStart, colon - hostStart);
    } else {
        parts.host = authority.substr(hostStart);
    }
    if (at == std::string_view::npos)
        return;
    const auto userInfo = authority.substr(0, at);
    const auto split = userInfo.find(':');
    parts.user = userInfo.substr(0, split);
    if (split != std::string_view::npos)
        parts.password = userInfo.substr(split + 1);
}

}

UrlParts ParseUrl(std::string_view url)
{
    UrlParts parts;
    if (url.empty())
        return parts;

    std::string_view rest = url;
    if (const auto separator = url.find("://"); separator != std::string_view::npos) {
        parts.protocol = url.substr(0, separator);
        rest = url.substr(separator + 3);
    } else if (url.front() == '/') {
        parts.protocol = "http";
        if (url.size() < 2 || url[1] != '/') {
            parts.path = url;
            return parts;
        }
        rest = url.substr(2);
    } else if (CaseFold::StartsWithIgnoringCase(url, "mailto:")) {
        parts.protocol = "mailto";
        rest = url.substr(7);
    } else if (CaseFold::StartsWithIgnoringCase(url, "http:") && url.find("//") == std::string_view::npos) {
        parts.protocol = "http";
        if (url.size() < 7 || url[6] != '/') {
            parts.path = url.substr(5);
            return parts;
        }
        rest = url.substr(6);
    }
    SplitAuthority(rest, parts);
    return parts;
}

std::string HostAddressOf(std::string_view host)
{
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        return std::string(host.substr(1, host.size() - 2));
    return std::string(host);
}

bool IsHttps(std::string_view protocol)
{
    return CaseFold::EqualIgnoringCase(protocol, "https");
}

std::string DefaultPortOf(std::string_view protocol)
{
    return IsHttps(protocol) ? "443" : "80";
}

std::string EscapedForRequestLine(std::string_view path)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(path.size());
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 0x20 && byte < 0x7F) {
            escaped += c;
            continue;
        }
        escaped += '%';
        escaped += hex[byte >> 4];
        escaped += hex[byte & 0xF];
    }
    return escaped;
}
