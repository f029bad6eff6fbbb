#include "engine/SiteTrace.h"

#include "engine/PathText.h"
#include "platform/FilesUnder.h"

#include <string_view>
#include <unordered_map>

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
        m_used.Intern(file.realPath);
}

void SiteTrace::ListUnusedFiles()
{
    if (!m_reportUnused || !m_disk)
        return;
    // Identities, not texts: a file found through a symbolic link or under another
    // spelling is the file listed. A used path that is a listed file's own path has the
    // identity the listing read; only the others are looked up again.
    std::vector<FileUnder> files = FilesUnder(m_disk->BaseFolder());
    std::unordered_map<std::string_view, FileId> listed;
    for (const FileUnder& file : files)
        listed.emplace(file.path, file.id);
    const std::string& base = m_disk->BaseFolder();
    std::string_view prefix = base == "/" ? std::string_view() : std::string_view(base);
    std::unordered_set<FileId, FileIdHash> used;
    // Number 0 is the empty text, which names no file.
    for (std::uint32_t number = 1; number < m_used.Count(); ++number) {
        std::string_view path = m_used.Text(number);
        bool under = path.size() > prefix.size() && path.starts_with(prefix) && path[prefix.size()] == '/';
        auto it = under ? listed.find(path.substr(prefix.size() + 1)) : listed.end();
        if (it != listed.end())
            used.insert(it->second);
        else if (std::optional<FileId> id = FileIdOf(std::string(path)))
            used.insert(*id);
    }
    for (const FileUnder& file : files)
        if (!used.count(file.id))
            m_state.UnusedFiles.Add(file.path);
}
