#include "platform/FilesUnder.h"

#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unordered_set>

namespace {

FileId IdOf(const struct stat& st)
{
    return { st.st_dev, st.st_ino };
}

}

std::vector<FileUnder> FilesUnder(const std::string& folder)
{
    std::vector<FileUnder> files;
    struct stat st { };
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return files;
    std::unordered_set<FileId, FileIdHash> entered { IdOf(st) };
    std::deque<std::string> pending { "" };
    while (!pending.empty()) {
        std::string relative = std::move(pending.front());
        pending.pop_front();
        DIR* dir = ::opendir((relative.empty() ? folder : folder + "/" + relative).c_str());
        if (!dir)
            continue;
        std::string prefix = relative.empty() ? "" : relative + "/";
        while (dirent* e = ::readdir(dir)) {
            std::string_view name = e->d_name;
            if (name == "." || name == ".."
                || ::fstatat(::dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            if (S_ISDIR(st.st_mode)) {
                if (entered.insert(IdOf(st)).second)
                    pending.push_back(prefix + e->d_name);
                continue;
            }
            if (S_ISLNK(st.st_mode)) {
                struct stat target { };
                if (::fstatat(::dirfd(dir), e->d_name, &target, 0) == 0) {
                    if (!S_ISREG(target.st_mode))
                        continue;
                    st = target;
                }
            } else if (!S_ISREG(st.st_mode)) {
                continue;
            }
            files.push_back({ prefix + e->d_name, IdOf(st) });
        }
        ::closedir(dir);
    }
    return files;
}
