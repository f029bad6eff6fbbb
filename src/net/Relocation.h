#pragma once

#include <string>
#include <string_view>

/// Where a request goes: the protocol ("http" or "https"), the server's host name and
/// port, and the path of the request line.
struct RequestTarget {
    std::string protocol;
    std::string host;
    std::string port;
    std::string path;
};

struct Relocation {
    RequestTarget target;
    /// The new address as a user would write it (the client's `Location`).
    std::string location;
};

/// Resolves the value of a "Location" header against the request that received it. An
/// absolute address names its own server, with its protocol's default port when it gives
/// none; "//host/..." keeps the protocol; "/path" keeps the server; any other value is
/// relative to the folder of the current path, as a browser reads it. A fragment is never
/// part of a request.
Relocation ResolveRelocation(const RequestTarget& current, std::string_view value);

/// protocol://host, with ":port" when it is not the protocol's default.
std::string OriginOf(const RequestTarget& target);

/// Removes "." and ".." segments from an absolute path (before any query).
std::string RemoveDotSegments(std::string_view path);
