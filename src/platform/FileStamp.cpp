#include "platform/FileStamp.h"

#include <sys/stat.h>

std::optional<FileStamp> FileStampOf(const std::string& path)
{
    struct stat st { };
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileStamp { st.st_dev, st.st_ino, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec,
        st.st_ctim.tv_sec, st.st_ctim.tv_nsec };
}
