#pragma once

#include "engine/RunState.h"
#include "platform/FileSystem.h"
#include "report/RunLabels.h"

#include <string>
#include <unordered_set>

/// The two lists that let a run follow a site: the page queue, which local links found
/// are appended to (breadth first, each page once, letter case ignored), and the files
/// no reference uses. Files of the starting folder are kept by bare name, files of other
/// folders by their path from the starting folder, each once.
class SiteTrace {
public:
    enum class Unused { Ignore, Report };

    SiteTrace(RunState& state, RunLabels& labels, const FileSystem& files, Unused unused)
        : m_state(state)
        , m_labels(labels)
        , m_files(files)
        , m_reportUnused(unused == Unused::Report)
    {
    }

    /// Queues a page that a found local link leads to, unless it is no page to scan
    /// (no extension, ".", ".ico", ".css", ".js") or is queued or analysed already.
    void ConsiderPage(const std::string& page);

    /// Lists the files of `folder` ("" for the starting folder) as not used yet, when
    /// unused files are reported.
    void ListFolder(const std::string& folder);
    /// A reference resolved to `target`: that file is used.
    void MarkUsed(const std::string& target);

private:
    RunState& m_state;
    RunLabels& m_labels;
    const FileSystem& m_files;
    bool m_reportUnused;
    std::unordered_set<std::string> m_listedFolders;
    std::unordered_set<std::string> m_used;
};
