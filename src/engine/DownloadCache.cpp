#include "engine/DownloadCache.h"

#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"
#include "platform/TempFolder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::string_view FolderPrefix = "cache-";

/// The folder opened and locked for this process, or -1 when another process holds it
/// or it is gone. A folder removed between its creation and the lock has no links left.
int LockFolder(const std::string& folder)
{
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &st) != 0 || st.st_nlink == 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void RemoveFolder(const std::string& folder)
{
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* e = ::readdir(dir))
            if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
                ::unlink((folder + "/" + e->d_name).c_str());
        ::closedir(dir);
    }
    ::rmdir(folder.c_str());
}

}

std::optional<DownloadCache> DownloadCache::Create(std::string& error)
{
    std::optional<std::string> temp = TempFolder::Private(error);
    if (!temp)
        return std::nullopt;
    RemoveAbandoned(*temp);
    // Another process clearing abandoned caches may take a folder made a moment ago,
    // before it is locked: then a new one is made.
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::string pattern = *temp + std::string(FolderPrefix) + "XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (!::mkdtemp(buffer.data())) {
            error = "Cannot create the download cache in " + *temp + ": " + std::strerror(errno);
            return std::nullopt;
        }
        int lock = LockFolder(buffer.data());
        if (lock >= 0)
            return DownloadCache(buffer.data(), lock);
    }
    error = "Cannot create the download cache in " + *temp + ": it was removed as it was made";
    return std::nullopt;
}

void DownloadCache::RemoveAbandoned(const std::string& temporaryFolder)
{
    std::string prefix
        = temporaryFolder.empty() || temporaryFolder.back() == '/' ? temporaryFolder : temporaryFolder + "/";
    std::vector<std::string> abandoned;
    if (DIR* dir = ::opendir(temporaryFolder.c_str())) {
        while (dirent* e = ::readdir(dir))
            if (std::string_view(e->d_name).substr(0, FolderPrefix.size()) == FolderPrefix)
                abandoned.push_back(prefix + e->d_name);
        ::closedir(dir);
    }
    for (const std::string& folder : abandoned) {
        int lock = LockFolder(folder);
        if (lock < 0)
            continue;
        RemoveFolder(folder);
        ::close(lock);
    }
}

DownloadCache::DownloadCache(DownloadCache&& other) noexcept
    : m_folder(std::move(other.m_folder))
    , m_lock(other.m_lock)
{
    other.m_folder.clear();
    other.m_lock = -1;
}

DownloadCache::~DownloadCache()
{
    if (m_folder.empty())
        return;
    RemoveFolder(m_folder);
    ::close(m_lock);
}

std::string DownloadCache::FileOf(const std::string& path) const
{
    // FNV-1a: any hash will do, as the stored path settles which page a file holds.
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : path)
        h = (h ^ c) * 1099511628211ull;
    char name[32];
    std::snprintf(name, sizeof name, "/%016llx.htm", static_cast<unsigned long long>(h));
    return m_folder + name;
}

bool DownloadCache::Read(const std::string& path, std::string& text) const
{
    std::string stored;
    if (!ReadRegularFile(FileOf(path), stored, PageSizeLimit + path.size() + 1).Ok())
        return false;
    std::size_t lineEnd = stored.find('\n');
    if (lineEnd == std::string::npos || std::string_view(stored).substr(0, lineEnd) != path)
        return false;
    text.assign(stored, lineEnd + 1);
    return true;
}

void DownloadCache::Store(const std::string& path, const std::string& text) const
{
    if (path.find('\n') != std::string::npos)
        return;
    WriteFileAtomically(FileOf(path), path + "\n" + text);
}
