#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>

/// What identifies a file whatever path names it, through symbolic links, "." and ".."
/// and letter case alike: its device and inode.
struct FileId {
    dev_t device = 0;
    ino_t inode = 0;

    bool operator==(const FileId&) const = default;
};

struct FileIdHash {
    std::size_t operator()(const FileId& id) const
    {
        return std::hash<unsigned long long>()((static_cast<unsigned long long>(id.device) << 40) ^ id.inode);
    }
};

/// The file `path` leads to, symbolic links followed (a dangling link is itself the
/// file); nothing when there is no such path.
std::optional<FileId> FileIdOf(const std::string& path);
