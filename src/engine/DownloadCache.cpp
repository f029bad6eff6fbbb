#include "engine/DownloadCache.h"

#include "platform/AtomicFile.h"
#include "platform/TempFolder.h"

#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>

std::optional<DownloadCache> DownloadCache::Create(std::string& error)
{
    std::optional<std::string> temp = TempFolder::Private(error);
    if (!temp)
        return std::nullopt;
    std::string pattern = *temp + "cache-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data())) {
        error = "Cannot create the download cache in " + *temp + ": " + std::strerror(errno);
        return std::nullopt;
    }
    return DownloadCache(buffer.data());
}

DownloadCache::DownloadCache(DownloadCache&& other) noexcept
    : m_folder(std::move(other.m_folder))
{
    other.m_folder.clear();
}

DownloadCache::~DownloadCache()
{
    if (m_folder.empty())
        return;
    if (DIR* dir = ::opendir(m_folder.c_str())) {
        while (dirent* e = ::readdir(dir))
            if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
                ::unlink((m_folder + "/" + e->d_name).c_str());
        ::closedir(dir);
    }
    ::rmdir(m_folder.c_str());
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
    std::ifstream in(FileOf(path), std::ios::binary);
    std::string stored;
    if (!in || !std::getline(in, stored) || stored != path)
        return false;
    std::ostringstream rest;
    rest << in.rdbuf();
    text = rest.str();
    return true;
}

void DownloadCache::Store(const std::string& path, const std::string& text) const
{
    if (path.find('\n') != std::string::npos)
        return;
    WriteFileAtomically(FileOf(path), path + "\n" + text);
}
