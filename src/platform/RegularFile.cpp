#include "platform/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileRead Refused(FileRead::Status status, int error = 0) { return { status, error }; }

FileRead Judge(const struct stat& st, std::size_t limit)
{
    if (!S_ISREG(st.st_mode))
        return Refused(FileRead::Status::NotRegular);
    if (std::size_t(st.st_size) > limit)
        return Refused(FileRead::Status::TooLarge);
    return {};
}

FileRead ReadOpenFile(int fd, std::string& content, std::size_t limit, struct stat& st)
{
    if (::fstat(fd, &st) != 0)
        return Refused(FileRead::Status::Unreadable, errno);
    FileRead judged = Judge(st, limit);
    if (!judged.Ok())
        return judged;
    content.reserve(std::size_t(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Refused(FileRead::Status::Unreadable, errno);
        if (n == 0)
            return {};
        if (content.size() + std::size_t(n) > limit)
            return Refused(FileRead::Status::TooLarge);
        content.append(buffer, std::size_t(n));
    }
}

FileRead ReadChecked(const std::string& path, std::string& content, std::size_t limit, FileStamp& stamp)
{
    content.clear();
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return Refused(errno == ENOENT ? FileRead::Status::Missing : FileRead::Status::Unreadable, errno);
    FileRead judged = Judge(st, limit);
    if (!judged.Ok())
        return judged;
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Refused(errno == ENOENT ? FileRead::Status::Missing : FileRead::Status::Unreadable, errno);
    FileRead result = ReadOpenFile(fd, content, limit, st);
    ::close(fd);
    if (result.Ok())
        stamp = FileStamp::Of(st);
    else
        content.clear();
    return result;
}

}

std::string FileRead::Reason() const
{
    switch (status) {
    case Status::Ok:
        return {};
    case Status::Missing:
        return "File not found";
    case Status::NotRegular:
        return "Not a regular file";
    case Status::TooLarge:
        return "File too large";
    case Status::Unreadable:
        break;
    }
    return std::strerror(error);
}

FileRead ReadRegularFile(const std::string& path, std::string& content, std::size_t limit)
{
    FileStamp unused;
    return ReadChecked(path, content, limit, unused);
}

FileRead ReadRegularFile(const std::string& path, std::string& content, FileStamp& stamp)
{
    return ReadChecked(path, content, PageSizeLimit, stamp);
}
