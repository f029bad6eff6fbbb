#pragma once

#include "platform/FileId.h"

#include <string>
#include <vector>

struct FileUnder {
    /// From the folder listed, names joined with "/".
    std::string path;
    FileId id;
};

/// Every file in `folder` and in all its sub-folders, in no set order. Files are regular
/// files and symbolic links to them or to nothing; devices, pipes and sockets are no
/// files of a site. A symbolic link to a folder is not entered: a folder of the tree is
/// listed under its own path, and one elsewhere holds no file of the tree. Each folder is
/// entered once, so no loop of the file system makes the listing endless.
std::vector<FileUnder> FilesUnder(const std::string& folder);
