#pragma once

#include <optional>
#include <string>

/// The real path of the folder to check, once it is known to be a folder whose names can
/// be listed and whose files can be reached; otherwise nothing, with `error` set to
/// "Cannot open folder DIR: reason".
std::optional<std::string> OpenSiteFolder(const std::string& folder, std::string& error);
