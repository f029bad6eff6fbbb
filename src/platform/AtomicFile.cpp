#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string Failure(const std::string& path, int error)
{
    return "Cannot write " + path + ": " + std::strerror(error);
}

bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        content.remove_prefix(std::size_t(n));
    }
    return true;
}

}

std::string WriteFileAtomically(const std::string& path, std::string_view content)
{
    std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty())
        return Failure(path, EISDIR);

    std::string pattern = (slash == std::string::npos ? "" : folder) + "." + name + ".tmp-XXXXXX";
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return Failure(path, errno);

    // mkstemp makes the file 0600; a saved report gets the usual mode for new files.
    mode_t mask = ::umask(0);
    ::umask(mask);
    bool ok = ::fchmod(fd, 0666 & ~mask) == 0 && WriteAll(fd, content) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temp.data(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.data());
        return Failure(path, error);
    }
    return {};
}
