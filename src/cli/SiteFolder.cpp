#include "cli/SiteFolder.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <unistd.h>

namespace {

/// 0 when `path` can be listed and searched, else the reason as an errno value.
int FolderFault(const char* path)
{
    DIR* dir = ::opendir(path);
    if (!dir)
        return errno;
    ::closedir(dir);
    return ::access(path, X_OK) == 0 ? 0 : errno;
}

}

std::optional<std::string> OpenSiteFolder(const std::string& folder, std::string& error)
{
    char real[PATH_MAX];
    int fault = ::realpath(folder.c_str(), real) ? FolderFault(real) : errno;
    if (fault == 0)
        return std::string(real);
    error = "Cannot open folder " + folder + ": " + std::strerror(fault);
    return std::nullopt;
}
