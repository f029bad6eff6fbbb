#pragma once

#include <optional>
#include <string>

/// Pages downloaded in one on-line run, kept so that a page needed again (for an anchor
/// test, for tracing, or reached by another path) is not downloaded again. It lives in a
/// folder of its own inside the user's private temporary folder and is removed with
/// everything in it when the run ends. Each page is stored under a name made from a hash
/// of its path, with the path itself on the file's first line, so two paths can never
/// share an entry. The run holds a lock on its folder while it lives, so that the folder
/// of a run that was killed is known for abandoned and removed when the next cache is
/// made, while the folders of runs still going are left alone.
class DownloadCache {
public:
    /// A cache in a new folder, or nothing (with `error` set) when none can be made; the
    /// run then goes on without one. Abandoned caches are removed first.
    static std::optional<DownloadCache> Create(std::string& error);
    /// Removes the cache folders in `temporaryFolder` that no running process holds.
    static void RemoveAbandoned(const std::string& temporaryFolder);

    DownloadCache(DownloadCache&& other) noexcept;
    DownloadCache& operator=(DownloadCache&&) = delete;
    ~DownloadCache();

    bool Read(const std::string& path, std::string& text) const;
    /// A page that cannot be stored is simply not cached.
    void Store(const std::string& path, const std::string& text) const;

private:
    DownloadCache(std::string folder, int lock)
        : m_folder(std::move(folder))
        , m_lock(lock)
    {
    }
    std::string FileOf(const std::string& path) const;

    std::string m_folder;
    /// The folder itself, open and locked.
    int m_lock = -1;
};
