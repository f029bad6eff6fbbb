#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

/// The site's files as a run sees them. Paths are relative to a base folder (or absolute),
/// "/" and "\\" both separate names, "." and ".." are resolved by name, and every name is
/// looked up ignoring letter case, as on the desktop system the pages were written on;
/// the stored names are read back so that a letter-case difference can be reported on
/// any file system. Folder listings are read once and kept for the life of the object,
/// which is one run.
class FileSystem {
public:
    /// Longest path text the run handles; longer targets are simply not found.
    static constexpr std::size_t MaxPath = 259;

    enum class Kind { File, Folder };
    enum class ReadStatus { Ok, Missing, Unreadable };

    struct Found {
        bool exists = false;
        /// False when a name that `rest` gives differs from the stored name.
        bool exactCase = true;
        std::string realPath;
    };

    explicit FileSystem(std::string baseFolder);

    const std::string& BaseFolder() const { return m_base; }

    /// Looks up `prefix` + `rest`. Letter case is compared only for the names written in
    /// `rest`; the names of `prefix` (the folder of the page a reference sits in) are
    /// matched but not judged, even when a ".." of `rest` climbs back through them.
    Found Locate(std::string_view prefix, std::string_view rest, Kind kind) const;
    Found Locate(std::string_view path, Kind kind) const { return Locate({}, path, kind); }

    ReadStatus ReadFile(std::string_view path, std::string& content) const;

    /// Bare names of the files (not folders) of `folder`, sorted; empty when it is absent.
    std::vector<std::string> FileNames(std::string_view folder) const;

private:
    struct Entry {
        std::string name;
        bool isFolder = false;
    };
    using Listing = std::unordered_map<std::string, std::vector<Entry>>;

    const Listing& ListingOf(const std::string& realFolder) const;
    const Entry* FindEntry(const std::string& realFolder, std::string_view name) const;

    std::string m_base;
    mutable std::unordered_map<std::string, Listing> m_listings;
};
