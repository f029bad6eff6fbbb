#include "engine/SiteTrace.h"

#include "engine/PathText.h"
#include "platform/CaseFold.h"

void SiteTrace::ConsiderPage(const std::string& link)
{
    // Pages are queued by their resolved path, so a page reached through different
    // relative paths ("a/../b.html", "b.html") is scanned once.
    std::string page = PathText::Normalize(link);
    std::string_view ext = PathText::ExtensionOf(page);
    if (page.empty() || ext.empty() || ext == "." || ext == ".ico" || ext == ".css" || ext == ".js")
        return;
    if (m_state.PagesToCheck.Contains(page) || m_state.FilesAnalysed.Contains(page))
        return;
    m_state.PagesToCheck.Add(page);
    m_labels.SetPagesToCheck("Pages left to check: " + std::to_string(m_state.PagesToCheck.Count()));
}

void SiteTrace::ListFolder(const std::string& folder)
{
    if (!m_reportUnused)
        return;
    std::string prefix = PathText::Normalize(folder);
    if (!m_listedFolders.insert(CaseFold::LowerCase(prefix)).second)
        return;
    if (!prefix.empty())
        prefix += '/';
    for (const std::string& name : m_files.FileNames(folder)) {
        std::string path = prefix + name;
        if (!m_used.count(CaseFold::LowerCase(path)) && !m_state.UnusedFiles.Contains(path))
            m_state.UnusedFiles.Add(path);
    }
}

void SiteTrace::MarkUsed(const std::string& target)
{
    if (!m_reportUnused)
        return;
    std::string path = PathText::Normalize(target);
    m_used.insert(CaseFold::LowerCase(path));
    m_state.UnusedFiles.Remove(path);
}
