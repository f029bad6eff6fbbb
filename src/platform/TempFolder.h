#pragma once

#include <optional>
#include <string>

/// The user's private temporary folder: "tarvik-<uid>" inside the system's temporary
/// folder ($TMPDIR, else /tmp), mode 0700. An existing folder of that name is used only
/// when it is a real folder owned by the user and closed to others; otherwise a fresh
/// uniquely named one is made, so no other user can plant or read files in it.
namespace TempFolder {

/// The folder path ending in "/", or nothing (with `error` set) when none can be made.
std::optional<std::string> Private(std::string& error);

}
