#include "platform/FileStamp.h"

std::optional<FileStamp> FileStampOf(const std::string& path)
{
    struct stat st { };
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileStamp::Of(st);
}
