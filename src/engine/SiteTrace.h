#pragma once

#include "engine/RunState.h"
#include "platform/FileId.h"
#include "platform/FileSystem.h"
#include "platform/InternedTexts.h"
#include "report/RunLabels.h"

#include <functional>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

/// The two lists that let a run follow a site: the page queue, which local links found
/// are appended to (breadth first, each page once), and the files no reference uses.
/// Off-line a page is queued under its name on disk and known by its identity there, so
/// no spelling of it (letter case, symbolic links, "." and "..") has it analysed twice;
/// on-line it is known by its text, letter case ignored. Unused files are every file
/// under the run's folder, by their path from it, that no reference found.
class SiteTrace {
public:
    enum class Unused { Ignore, Report };

    /// `disk` is the site on disk; nullptr in an on-line run.
    SiteTrace(RunState& state, RunLabels& labels, const FileSystem* disk, Unused unused)
        : m_state(state)
        , m_labels(labels)
        , m_disk(disk)
        , m_reportUnused(unused == Unused::Report)
    {
    }

    /// Queues a page the run starts from (a selected file or the starting file), even
    /// when it is queued already; it counts as used.
    void QueueStartPage(const std::string& page);
    /// Queues a page that a found local link leads to, unless it is no page to scan
    /// (no extension, ".", ".ico", ".css", ".js") or is queued or analysed already.
    /// `file` is the number the site's look-up found the page by, or NoFile.
    void ConsiderPage(const std::string& page, std::uint32_t file);

    /// `queued` learns each page as it is queued, under the name it is queued by.
    void OnQueued(std::function<void(const std::string&)> queued) { m_queued = std::move(queued); }

    /// A reference looked the file up: when it was found, it is used.
    void MarkUsed(const FileSystem::Found& file);
    /// Lists in UnusedFiles the files that no reference found, when unused files are
    /// reported.
    void ListUnusedFiles();

private:
    struct Page {
        std::string name;
        FileSystem::Found file;
        std::optional<FileId> id;
    };

    /// The page with "." and ".." resolved and, on disk, its names as stored.
    Page Resolve(const std::string& page) const;
    bool Known(const std::string& name) const;
    void Queue(Page page);

    RunState& m_state;
    RunLabels& m_labels;
    const FileSystem* m_disk;
    bool m_reportUnused;
    std::function<void(const std::string&)> m_queued;
    std::unordered_set<FileId, FileIdHash> m_pages;
    /// By the look-up's number: the files queued, their identity in m_pages.
    std::vector<bool> m_queuedFiles;
    /// The real paths of the files references found: a large site's run keeps hundreds of
    /// thousands, so each is kept once in blocks.
    InternedTexts m_used;
    /// Which files, by the look-up's number, m_used holds already.
    std::vector<bool> m_usedFiles;
};
