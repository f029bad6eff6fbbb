#include "platform/FileSystem.h"

#include "platform/CaseFold.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::vector<std::string_view> SplitNames(std::string_view path)
{
    std::vector<std::string_view> names;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || IsSeparator(path[i])) {
            if (i > start)
                names.push_back(path.substr(start, i - start));
            start = i + 1;
        }
    }
    return names;
}

std::string Join(const std::vector<std::string>& names)
{
    if (names.empty())
        return "/";
    std::string out;
    for (const auto& n : names)
        out += "/" + n;
    return out;
}

bool IsFolderOnDisk(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}

FileSystem::FileSystem(std::string baseFolder)
    : m_base(std::move(baseFolder))
{
    while (m_base.size() > 1 && m_base.back() == '/')
        m_base.pop_back();
}

const FileSystem::Listing& FileSystem::ListingOf(const std::string& realFolder) const
{
    auto found = m_listings.find(realFolder);
    if (found != m_listings.end())
        return found->second;
    Listing& listing = m_listings[realFolder];
    DIR* dir = ::opendir(realFolder.c_str());
    if (!dir)
        return listing;
    while (dirent* e = ::readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        bool isFolder = e->d_type == DT_DIR;
        if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK)
            isFolder = IsFolderOnDisk(realFolder + "/" + name);
        listing[CaseFold::LowerCase(name)].push_back({ std::move(name), isFolder });
    }
    ::closedir(dir);
    for (auto& [key, entries] : listing)
        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
    return listing;
}

const FileSystem::Entry* FileSystem::FindEntry(const std::string& realFolder, std::string_view name) const
{
    const Listing& listing = ListingOf(realFolder);
    auto it = listing.find(CaseFold::LowerCase(name));
    if (it == listing.end())
        return nullptr;
    for (const Entry& e : it->second)
        if (e.name == name)
            return &e;
    return &it->second.front();
}

FileSystem::Found FileSystem::Locate(std::string_view prefix, std::string_view rest, Kind kind) const
{
    Found result;
    if (prefix.size() + rest.size() > MaxPath)
        return result;
    std::string whole = std::string(prefix) + std::string(rest);
    bool absolute = !whole.empty() && IsSeparator(whole.front());

    std::vector<std::string> real;
    if (!absolute)
        for (auto n : SplitNames(m_base))
            real.emplace_back(n);

    // "." and ".." are resolved by name before anything is looked up, as the desktop
    // system does, so "a/missing/../b" finds "a/b". Each name left remembers whether the
    // reference itself wrote it.
    struct Name {
        std::string_view text;
        bool judged;
    };
    std::vector<Name> names;
    std::size_t prefixNames = SplitNames(prefix).size();
    std::vector<std::string_view> written = SplitNames(whole);
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i] == ".")
            continue;
        if (written[i] != "..") {
            names.push_back({ written[i], i >= prefixNames });
            continue;
        }
        if (!names.empty())
            names.pop_back();
        else if (!real.empty())
            real.pop_back();
    }
    if (names.empty())
        return result;

    for (std::size_t i = 0; i < names.size(); ++i) {
        bool last = i + 1 == names.size();
        const Entry* entry = FindEntry(Join(real), names[i].text);
        if (!entry || (!last && !entry->isFolder))
            return result;
        if (last && entry->isFolder != (kind == Kind::Folder))
            return result;
        if (names[i].judged && entry->name != names[i].text)
            result.exactCase = false;
        real.push_back(entry->name);
    }
    // A trailing separator names a folder, never a file.
    if (kind == Kind::File && IsSeparator(whole.back()))
        return result;
    result.exists = true;
    result.realPath = Join(real);
    return result;
}

FileSystem::ReadStatus FileSystem::ReadFile(std::string_view path, std::string& content) const
{
    content.clear();
    Found found = Locate(path, Kind::File);
    if (!found.exists)
        return ReadStatus::Missing;
    int fd = ::open(found.realPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return ReadStatus::Unreadable;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        content.reserve(std::size_t(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            content.clear();
            return ReadStatus::Unreadable;
        }
        if (n == 0)
            break;
        content.append(buffer, std::size_t(n));
    }
    ::close(fd);
    return ReadStatus::Ok;
}

std::vector<std::string> FileSystem::FileNames(std::string_view folder) const
{
    std::vector<std::string> names;
    std::string real = m_base;
    if (!folder.empty()) {
        Found found = Locate(folder, Kind::Folder);
        if (!found.exists)
            return names;
        real = found.realPath;
    }
    for (const auto& [key, entries] : ListingOf(real))
        for (const Entry& e : entries)
            if (!e.isFolder)
                names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
}
