#include "engine/SiteTrace.h"

#include "engine/PathText.h"
#include "platform/FilesUnder.h"

void SiteTrace::QueueStartPage(const std::string& page)
{
    Page start = Resolve(page);
    MarkUsed(start.file);
    Queue(std::move(start));
}

void SiteTrace::ConsiderPage(const std::string& link)
{
    // The text is tested first: most links to a page repeat a spelling already queued.
    std::string name = PathText::Normalize(link);
    std::string_view ext = PathText::ExtensionOf(name);
    if (name.empty() || ext.empty() || ext == "." || ext == ".ico" || ext == ".css" || ext == ".js"
        || Known(name))
        return;
    Page page = Resolve(name);
    if (Known(page.name) || (page.id && m_pages.count(*page.id)))
        return;
    Queue(std::move(page));
    m_labels.SetPagesToCheck("Pages left to check: " + std::to_string(m_state.PagesToCheck.Count()));
}

SiteTrace::Page SiteTrace::Resolve(const std::string& text) const
{
    Page page { PathText::Normalize(text), {}, {} };
    if (!m_disk)
        return page;
    page.file = m_disk->Locate(page.name, FileSystem::Kind::File);
    if (!page.file.exists)
        return page;
    page.id = FileIdOf(page.file.realPath);
    if (page.name.front() != '/')
        page.name = PathText::RelativeTo(m_disk->BaseFolder(), page.file.realPath);
    return page;
}

bool SiteTrace::Known(const std::string& name) const
{
    return m_state.PagesToCheck.Contains(name) || m_state.FilesAnalysed.Contains(name);
}

void SiteTrace::Queue(Page page)
{
    if (page.id)
        m_pages.insert(*page.id);
    if (m_queued)
        m_queued(page.name);
    m_state.PagesToCheck.Add(std::move(page.name));
}

void SiteTrace::MarkUsed(const FileSystem::Found& file)
{
    // An on-line look-up finds no file on disk.
    if (m_reportUnused && file.exists && !file.realPath.empty())
        m_used.insert(file.realPath);
}

void SiteTrace::ListUnusedFiles()
{
    if (!m_reportUnused || !m_disk)
        return;
    // Identities, not texts: a file found through a symbolic link or under another
    // spelling is the file listed.
    std::unordered_set<FileId, FileIdHash> used;
    for (const std::string& path : m_used)
        if (std::optional<FileId> id = FileIdOf(path))
            used.insert(*id);
    for (const FileUnder& file : FilesUnder(m_disk->BaseFolder()))
        if (!used.count(file.id))
            m_state.UnusedFiles.Add(file.path);
}
