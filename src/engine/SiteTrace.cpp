#include "engine/SiteTrace.h"

#include "engine/PathText.h"
#include "platform/FilesUnder.h"

#include <string_view>
#include <vector>

namespace {

/// Marks `file` in `marks`; false when it was marked already.
bool Mark(std::vector<bool>& marks, std::uint32_t file)
{
    if (file >= marks.size())
        marks.resize(std::size_t(file) + 1);
    if (marks[file])
        return false;
    marks[file] = true;
    return true;
}

}

void SiteTrace::QueueStartPage(const std::string& page)
{
    Page start = Resolve(page);
    MarkUsed(start.file);
    Queue(std::move(start));
}

void SiteTrace::ConsiderPage(const std::string& link, std::uint32_t file)
{
    // Most links lead to a page queued already: the file's number tells so before any
    // name is looked at. Then the text: most of the others repeat a spelling queued.
    if (file < m_queuedFiles.size() && m_queuedFiles[file])
        return;
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
    if (page.id) {
        m_pages.insert(*page.id);
        if (page.file.file != FileSystem::NoFile)
            Mark(m_queuedFiles, page.file.file);
    }
    if (m_queued)
        m_queued(page.name);
    m_state.PagesToCheck.Add(std::move(page.name));
}

void SiteTrace::MarkUsed(const FileSystem::Found& file)
{
    // An on-line look-up finds no file on disk.
    if (!m_reportUnused || !file.exists || file.realPath.empty())
        return;
    // Most files are found again and again: their number tells so without hashing a real
    // path, which the same number always spells alike.
    if (file.file == FileSystem::NoFile || Mark(m_usedFiles, file.file))
        m_used.Intern(file.realPath);
}

void SiteTrace::ListUnusedFiles()
{
    if (!m_reportUnused || !m_disk)
        return;
    // Identities, not texts: a file found through a symbolic link or under another
    // spelling is the file listed. A listed file used by its own path is found among the
    // used paths as it stands; only the used paths that are no listed file's own path are
    // looked up again.
    std::vector<FileUnder> files = FilesUnder(m_disk->BaseFolder());
    const std::string& base = m_disk->BaseFolder();
    std::string path = base == "/" ? base : base + "/";
    const std::size_t prefix = path.size();
    std::vector<bool> usedByPath(files.size());
    std::vector<bool> pathListed(m_used.Count());
    for (std::size_t i = 0; i < files.size(); ++i) {
        path.resize(prefix);
        path += files[i].path;
        std::uint32_t number = m_used.Find(path);
        if (number != InternedTexts::Missing)
            usedByPath[i] = pathListed[number] = true;
    }
    std::unordered_set<FileId, FileIdHash> used;
    // Number 0 is the empty text, which names no file.
    for (std::uint32_t number = 1; number < m_used.Count(); ++number)
        if (!pathListed[number])
            if (std::optional<FileId> id = FileIdOf(std::string(m_used.Text(number))))
                used.insert(*id);
    // A file listed under two names (a hard link, or a symbolic link beside the file it
    // names) is used when either name is.
    std::unordered_set<FileId, FileIdHash> notUsedByPath;
    for (std::size_t i = 0; i < files.size(); ++i)
        if (!usedByPath[i])
            notUsedByPath.insert(files[i].id);
    for (std::size_t i = 0; i < files.size() && !notUsedByPath.empty(); ++i)
        if (usedByPath[i] && notUsedByPath.count(files[i].id))
            used.insert(files[i].id);
    for (std::size_t i = 0; i < files.size(); ++i)
        if (!usedByPath[i] && !used.count(files[i].id))
            m_state.UnusedFiles.Add(files[i].path);
}
