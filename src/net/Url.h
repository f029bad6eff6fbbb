#pragma once

#include <string>
#include <string_view>

/// The parts of an address as the HTTP client reads them. The parser never fails: text
/// that is not an address still yields parts (a bare "page.html" is taken for a host).
/// An IPv6 literal host keeps its brackets ("[::1]"), as the Host header carries it.
struct UrlParts {
    std::string protocol;
    std::string user;
    std::string password;
    std::string host;
    std::string port;
    std::string path;
};

UrlParts ParseUrl(std::string_view url);

/// The host as a name lookup and a certificate check take it: an IPv6 literal without
/// its brackets.
std::string HostAddressOf(std::string_view host);

/// 443 for "https" (any letter case), else 80.
std::string DefaultPortOf(std::string_view protocol);
bool IsHttps(std::string_view protocol);

/// The path as a request line may carry it: blanks, control characters and bytes over 127
/// become %XX, as a browser sends them; everything else, "%" included, is kept.
std::string EscapedForRequestLine(std::string_view path);
