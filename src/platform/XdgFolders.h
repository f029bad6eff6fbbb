#pragma once

#include <string>
#include <vector>

/// The XDG base folders as the environment names them, with the documented defaults for
/// unset or empty variables; relative entries are ignored. Folders carry no trailing "/".
struct XdgFolders {
    std::string configHome;
    std::vector<std::string> configDirs;
    std::string dataHome;
    std::vector<std::string> dataDirs;
    /// XDG_CURRENT_DESKTOP's names in lower case, most specific first.
    std::vector<std::string> desktops;

    static XdgFolders FromEnvironment();
};
