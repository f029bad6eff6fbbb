#pragma once

#include "platform/FileId.h"

#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

/// What tells whether a file is still the one read earlier: its identity, size and the
/// times of its last change of content and of status. A file rewritten, replaced by
/// rename, removed or grown gets another stamp; a rewrite of the same size within one
/// tick of the file system's clock may keep it.
struct FileStamp {
    FileId id;
    off_t size = 0;
    long long modifiedSeconds = 0;
    long modifiedNanoseconds = 0;
    long long changedSeconds = 0;
    long changedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;

    static FileStamp Of(const struct stat& st)
    {
        return { { st.st_dev, st.st_ino }, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec, st.st_ctim.tv_sec,
            st.st_ctim.tv_nsec };
    }
};

/// The stamp of the file `path` leads to, symbolic links followed; nothing when there is
/// none.
std::optional<FileStamp> FileStampOf(const std::string& path);
