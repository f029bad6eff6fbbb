#include "platform/FileSystem.h"

#include "platform/PathNames.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace {

using PathNames::ForEachName;
using PathNames::IsSeparator;

bool IsFolderOnDisk(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::uint32_t HashOf(std::string_view name) { return std::uint32_t(CaseFold::FoldedHash()(name)); }

std::string ChildPath(const std::string& folder, std::string_view name)
{
    return (folder == "/" ? folder : folder + "/") + std::string(name);
}

}

FileSystem::FileSystem(std::string baseFolder)
    : m_base(std::move(baseFolder))
{
    while (m_base.size() > 1 && m_base.back() == '/')
        m_base.pop_back();
    m_root = NewFolder("/", nullptr);
    m_baseFolder = m_base == "/" ? m_root : NewFolder(m_base, nullptr);
}

FileSystem::Folder* FileSystem::NewFolder(std::string realPath, Folder* parent) const
{
    m_folders.push_back({});
    Folder* f = &m_folders.back();
    f->realPath = std::move(realPath);
    f->parent = parent;
    return f;
}

FileSystem::Folder* FileSystem::ParentOf(Folder* folder) const
{
    if (folder->parent || folder == m_root)
        return folder->parent ? folder->parent : m_root;
    std::size_t slash = folder->realPath.rfind('/');
    folder->parent = slash == 0 || slash == std::string::npos ? m_root : NewFolder(folder->realPath.substr(0, slash), nullptr);
    return folder->parent;
}

FileSystem::Folder* FileSystem::Enter(Entry& entry, Folder* from) const
{
    if (!entry.folder)
        entry.folder = NewFolder(ChildPath(from->realPath, entry.Name()), from);
    return entry.folder;
}

void FileSystem::Read(Folder* folder) const
{
    folder->read = true;
    DIR* dir = ::opendir(folder->realPath.c_str());
    if (!dir)
        return;
    std::vector<Entry> listed;
    while (dirent* e = ::readdir(dir)) {
        std::string_view name = e->d_name;
        if (name == "." || name == "..")
            continue;
        bool isFolder = e->d_type == DT_DIR;
        if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK)
            isFolder = IsFolderOnDisk(ChildPath(folder->realPath, name));
        std::string_view kept = m_nameTexts.Keep(name);
        listed.push_back({ kept.data(), nullptr, std::uint32_t(kept.size()), HashOf(kept),
            isFolder ? NoFile : m_files++, isFolder });
    }
    ::closedir(dir);
    std::size_t size = 4;
    while (size < 2 * listed.size())
        size *= 2;
    folder->slots.assign(size, Entry {});
    for (const Entry& entry : listed) {
        std::size_t slot = entry.hash & (size - 1);
        while (folder->slots[slot].nameData)
            slot = (slot + 1) & (size - 1);
        folder->slots[slot] = entry;
    }
}

FileSystem::Entry* FileSystem::FindEntry(Folder* folder, std::string_view name) const
{
    if (!folder->read)
        Read(folder);
    std::vector<Entry>& slots = folder->slots;
    if (slots.empty())
        return nullptr; // the folder could not be read
    std::uint32_t hash = HashOf(name);
    std::size_t mask = slots.size() - 1;
    Entry* first = nullptr;
    for (std::size_t slot = hash & mask; slots[slot].nameData; slot = (slot + 1) & mask) {
        Entry& entry = slots[slot];
        if (entry.hash != hash || !CaseFold::EqualIgnoringCase(entry.Name(), name))
            continue;
        // The name as written when it is stored so, else its first spelling in byte order.
        if (entry.Name() == name)
            return &entry;
        if (!first || entry.Name() < first->Name())
            first = &entry;
    }
    return first;
}

FileSystem::Found FileSystem::Locate(std::string_view prefix, std::string_view rest, Kind kind) const
{
    Found result;
    Resolve(prefix, rest, kind, result);
    return result;
}

FileSystem::Folder* FileSystem::Resolve(std::string_view prefix, std::string_view rest, Kind kind, Found& result) const
{
    if (prefix.size() + rest.size() > MaxPath || prefix.size() + rest.size() == 0)
        return nullptr;
    bool absolute = IsSeparator(prefix.empty() ? rest.front() : prefix.front());
    Folder* folder = absolute ? m_root : m_baseFolder;

    // "." and ".." are resolved by name before anything is looked up, as the desktop
    // system does, so "a/missing/../b" finds "a/b". Each name left remembers whether the
    // reference itself wrote it.
    m_names.clear();
    auto resolve = [&](std::string_view name, bool judged) {
        if (name == ".")
            return;
        if (name != "..")
            m_names.push_back({ name, judged });
        else if (!m_names.empty())
            m_names.pop_back();
        else
            folder = ParentOf(folder);
    };
    ForEachName(prefix, [&](std::string_view name) { resolve(name, false); });
    ForEachName(rest, [&](std::string_view name) { resolve(name, true); });
    if (m_names.empty())
        return nullptr;

    for (std::size_t i = 0; i < m_names.size(); ++i) {
        bool last = i + 1 == m_names.size();
        Entry* entry = FindEntry(folder, m_names[i].text);
        if (!entry || (!last && !entry->isFolder))
            return nullptr;
        if (last && entry->isFolder != (kind == Kind::Folder))
            return nullptr;
        if (m_names[i].judged && entry->Name() != m_names[i].text)
            result.exactCase = false;
        if (!last || kind == Kind::Folder) {
            folder = Enter(*entry, folder);
            continue;
        }
        result.realPath = ChildPath(folder->realPath, entry->Name());
        result.file = entry->file;
    }
    // A trailing separator names a folder, never a file.
    std::string_view whole = rest.empty() ? prefix : rest;
    if (kind == Kind::File && IsSeparator(whole.back()))
        return nullptr;
    if (kind == Kind::Folder)
        result.realPath = folder->realPath;
    result.exists = true;
    return folder;
}

FileRead FileSystem::ReadFile(std::string_view path, std::string& content) const
{
    content.clear();
    Found found = Locate(path, Kind::File);
    if (!found.exists)
        return { FileRead::Status::Missing };
    return ReadRegularFile(found.realPath, content);
}

std::vector<std::string> FileSystem::FileNames(std::string_view path) const
{
    std::vector<std::string> names;
    Found found;
    Folder* folder = path.empty() ? m_baseFolder : Resolve({}, path, Kind::Folder, found);
    if (!folder)
        return names;
    if (!folder->read)
        Read(folder);
    for (const Entry& e : folder->slots)
        if (e.nameData && !e.isFolder)
            names.emplace_back(e.Name());
    std::sort(names.begin(), names.end());
    return names;
}
