#pragma once

#include "platform/CaseFold.h"
#include "platform/RegularFile.h"
#include "platform/TextBlocks.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

/// The site's files as a run sees them. Paths are relative to a base folder (or absolute),
/// "/" and "\\" both separate names, "." and ".." are resolved by name, and every name is
/// looked up ignoring letter case, as on the desktop system the pages were written on;
/// the stored names are read back so that a letter-case difference can be reported on
/// any file system. Each folder is read once and kept, as a tree of folders, for the life
/// of the object, which is one run; a look-up then costs one hash probe per name.
class FileSystem {
public:
    /// Longest path text the run handles; longer targets are simply not found.
    static constexpr std::size_t MaxPath = 259;

    enum class Kind { File, Folder };
    static constexpr std::uint32_t NoFile = UINT32_MAX;

    struct Found {
        bool exists = false;
        /// False when a name that `rest` gives differs from the stored name.
        bool exactCase = true;
        std::string realPath;
        /// The number of the file found, for tables of the run that would otherwise be
        /// keyed by its real path; NoFile for a folder. Each name a folder lists has its
        /// own. A file reached both from the base folder and by an absolute path may have
        /// two, as each way keeps folders of its own: a table by number merely holds it twice.
        std::uint32_t file = NoFile;
    };

    explicit FileSystem(std::string baseFolder);
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;

    /// The folder relative paths start from, without a trailing "/".
    const std::string& BaseFolder() const { return m_base; }

    /// Looks up `prefix` + `rest`. Letter case is compared only for the names written in
    /// `rest`; the names of `prefix` (the folder of the page a reference sits in) are
    /// matched but not judged, even when a ".." of `rest` climbs back through them.
    Found Locate(std::string_view prefix, std::string_view rest, Kind kind) const;
    Found Locate(std::string_view path, Kind kind) const { return Locate({}, path, kind); }

    /// Reads the file `path` names, as every page is read (see ReadRegularFile).
    FileRead ReadFile(std::string_view path, std::string& content) const;

    /// Bare names of the files (not folders) of `folder`, sorted; empty when it is absent.
    std::vector<std::string> FileNames(std::string_view folder) const;

private:
    struct Folder;
    /// A name a folder lists. Half a cache line, with the letter-case-blind hash of the
    /// name beside it: a look-up in a large site's folder reads the slot and the name only.
    struct Entry {
        const char* nameData = nullptr; // in m_nameTexts; none in a free slot
        Folder* folder = nullptr; // read when first entered
        std::uint32_t nameSize = 0;
        std::uint32_t hash = 0;
        std::uint32_t file = NoFile;
        bool isFolder = false;

        std::string_view Name() const { return { nameData, nameSize }; }
    };
    /// A folder's listing, read once, as an open table of its entries kept at most half
    /// full; names equal but for letter case lie on one probe sequence.
    struct Folder {
        std::string realPath;
        Folder* parent = nullptr;
        bool read = false;
        std::vector<Entry> slots;
    };
    struct Name {
        std::string_view text;
        bool judged;
    };

    /// Fills `result` and returns the folder that holds the target (the target itself when
    /// it is a folder); nullptr when it does not exist.
    Folder* Resolve(std::string_view prefix, std::string_view rest, Kind kind, Found& result) const;
    Folder* NewFolder(std::string realPath, Folder* parent) const;
    Folder* ParentOf(Folder* folder) const;
    Folder* Enter(Entry& entry, Folder* from) const;
    void Read(Folder* folder) const;
    Entry* FindEntry(Folder* folder, std::string_view name) const;

    std::string m_base;
    mutable std::deque<Folder> m_folders;
    Folder* m_root;
    Folder* m_baseFolder;
    mutable std::vector<Name> m_names;
    mutable TextBlocks m_nameTexts;
    mutable std::uint32_t m_files = 0;
};
