#include "platform/FileId.h"

#include <sys/stat.h>

std::optional<FileId> FileIdOf(const std::string& path)
{
    struct stat st { };
    if (::stat(path.c_str(), &st) != 0 && ::lstat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileId { st.st_dev, st.st_ino };
}
