#include "platform/TempFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace TempFolder {

namespace {

bool IsPrivateFolder(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid()
        && (st.st_mode & 077) == 0;
}

}

std::optional<std::string> Private(std::string& error)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string system = (tmp && *tmp) ? tmp : "/tmp";
    while (system.size() > 1 && system.back() == '/')
        system.pop_back();

    std::string path = system + "/tarvik-" + std::to_string(::geteuid());
    if (::mkdir(path.c_str(), 0700) == 0 || (errno == EEXIST && IsPrivateFolder(path)))
        return path + "/";

    std::string pattern = path + "-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()))
        return std::string(buffer.data()) + "/";
    error = "Cannot create a temporary folder in " + system + ": " + std::strerror(errno);
    return std::nullopt;
}

}
