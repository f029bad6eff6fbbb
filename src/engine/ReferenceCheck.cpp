#include "engine/ReferenceCheck.h"

#include "engine/PathText.h"
#include "engine/ReferenceCutter.h"
#include "platform/CaseFold.h"

#include <algorithm>


namespace {

using Clock = std::chrono::steady_clock;

bool BeginsWithExternalScheme(std::string_view value)
{
    for (std::string_view scheme : { "http:", "https:", "ftp:", "mailto:", "news:" })
        if (CaseFold::StartsWithIgnoringCase(value, scheme))
            return true;
    return false;
}

bool IsExternal(const std::string& upperValue, bool image)
{
    auto has = [&](const char* s) { return upperValue.find(s) != std::string::npos; };
    if (has("HTTP:") || has("HTTPS:"))
        return true;
    return !image && (has("MAILTO:") || has("NEWS:") || has("FTP:"));
}

enum class Kind { External, Image, Link };

/// What a local link's target is tested as: a leading "../" or "./" dropped, then the
/// "./" segments.
std::string LinkTarget(std::string target)
{
    if (target.rfind("../", 0) == 0)
        target.erase(0, 3);
    if (target.rfind("./", 0) == 0)
        target.erase(0, 2);
    return PathText::RemoveDotSegments(std::move(target));
}

/// How many names of the page's folder stay in a target written in that folder: letter
/// case is judged only in the names the reference itself writes, so "Docs/pic.gif" from a
/// page in "Docs/" and "../Docs/pic.gif" from the same page are tested differently.
std::size_t UnjudgedFolderNames(const std::string& folder, std::string_view target)
{
    if (folder.empty() || target.compare(0, folder.size(), folder) != 0)
        return 0;
    std::string names = PathText::Normalize(folder);
    long depth = names.empty() ? 0 : long(std::count(names.begin(), names.end(), '/')) + 1;
    long lowest = depth;
    std::string_view rest = target.substr(folder.size());
    for (std::size_t start = 0; start <= rest.size();) {
        std::size_t end = rest.find_first_of("/\\", start);
        std::string_view name = rest.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (name == "..")
            lowest = std::min(lowest, --depth);
        else if (!name.empty() && name != ".")
            ++depth;
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return std::size_t(std::max(0L, lowest));
}

/// The text by which the run knows a reference it has already checked: its resolved
/// target with "." and ".." resolved, so different spellings of one file ("a/../b.html",
/// "b.html") are checked once, with the folder names the test does not judge. External
/// addresses are known by their text. A same-page anchor belongs to its page, since
/// "#top" on two pages of one folder resolves alike but names two different anchors; a
/// link names its own page when its "#" follows the page's folder directly, as the anchor
/// test decides.
std::string SeenKey(const std::string& resolved, const std::string& folder, Kind kind, const std::string& currentPage)
{
    if (kind == Kind::External)
        return resolved;
    std::string target = kind == Kind::Link ? LinkTarget(resolved) : resolved;
    std::size_t hash = kind == Kind::Link ? target.find('#') : std::string::npos;
    bool samePage = hash != std::string::npos && (hash == 0 || (!folder.empty() && hash == folder.size()));
    std::string_view path = samePage ? std::string_view(currentPage) : std::string_view(target).substr(0, hash);
    std::string key = std::to_string(UnjudgedFolderNames(folder, path)) + "|" + PathText::Normalize(path);
    if (hash != std::string::npos)
        key += target.substr(hash);
    return key;
}

/// Seconds with one decimal, rounded to nearest; "<0.1" for what would read "0.0".
std::string FormatSeconds(Clock::duration elapsed)
{
    auto tenths = (std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() + 50000) / 100000;
    if (tenths == 0)
        return "<0.1";
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

}

void ReferenceCheck::CheckReference(std::string_view tag, std::string_view attributeName, const std::string& folder)
{
    RunState& state = m_ctx.state;
    if (state.AbortRequested)
        return;
    std::optional<std::string_view> cut = CutReference(tag, attributeName);
    if (!cut)
        return;
    std::string value(cut->substr(0, cut->find('?')));

    // An absolute address keeps its own text; anything else lives in the page's folder.
    std::string target = BeginsWithExternalScheme(value) ? value : folder + value;
    if (std::size_t http = target.find("http://"); http != std::string::npos && http > 0)
        target.erase(0, http);
    while (target.rfind("./", 0) == 0)
        target.erase(0, 2);

    bool image = CaseFold::StartsWithIgnoringCase(tag, "<IMG ") || attributeName == "BACKGROUND";
    std::string upperValue = CaseFold::UpperCase(value);
    bool external = IsExternal(upperValue, image);
    Kind kind = external ? Kind::External : image ? Kind::Image : Kind::Link;
    if (!state.SeenRefs.Insert(SeenKey(target, folder, kind, state.CurrentPage)))
        return;
    Clock::time_point start = Clock::now();

    ResultGrid& grid = image ? m_ctx.models.ImgGrid : m_ctx.models.LinkGrid;
    std::size_t timingRow = grid.LastRow();
    m_ctx.host.ProcessMessages();
    if (state.AbortRequested)
        return;

    Reference ref { target, std::move(upperValue), folder };
    if (external)
        CheckExternal(ref, image);
    else if (image && m_ctx.options.CheckIntImages)
        CheckLocalImage(ref);
    else if (!image && m_ctx.options.CheckIntLinks)
        CheckLocalLink(ref);

    grid.SetCell(timingRow, 3, FormatSeconds(Clock::now() - start));
}

FileSystem::Found ReferenceCheck::TargetExists(const std::string& folder, const std::string& target)
{
    if (!m_ctx.online)
        return m_ctx.site.TargetExists(folder, target);
    // On the server letter case is not judged: the server itself decides what exists.
    FileSystem::Found found;
    found.exists = m_ctx.online->TargetExists(target);
    return found;
}

const AnchorIndex::Anchors* ReferenceCheck::AnchorsOf(const std::string& page)
{
    if (m_ctx.online)
        return m_ctx.online->AnchorsOf(page);
    FileSystem::Found found = m_ctx.site.Files().Locate(page, FileSystem::Kind::File);
    return found.exists ? &m_ctx.site.AnchorsOf(found.realPath) : nullptr;
}

void ReferenceCheck::StartRow(ResultGrid& grid, const std::string& display, const std::string& target)
{
    std::size_t row = grid.LastRow();
    grid.SetCell(row, 0, display);
    grid.SetCell(row, 1, "");
    grid.SetCell(row, 2, m_ctx.state.CurrentPageName);
    grid.SetColour(row, RowColour::White);
    m_ctx.models.Labels.SetStatus("Testing " + target);
    m_ctx.state.CurrentRef = target;
}

void ReferenceCheck::UpdateLinksLabel()
{
    const RunState& s = m_ctx.state;
    m_ctx.models.Labels.SetLinks("Links: " + std::to_string(s.ValidLinks.Count() + s.UncheckedExtLinks.Count()));
}

void ReferenceCheck::UpdateImagesLabel()
{
    const RunState& s = m_ctx.state;
    m_ctx.models.Labels.SetImages("Images: " + std::to_string(s.ValidImages.Count() + s.UncheckedExtImages.Count()));
}

void ReferenceCheck::CheckLocalImage(const Reference& ref)
{
    ResultGrid& grid = m_ctx.models.ImgGrid;
    StartRow(grid, ref.target, ref.target);
    FileSystem::Found found = TargetExists(ref.folder, ref.target);
    std::size_t row = grid.LastRow();
    if (!found.exists) {
        grid.FillLastRow(ref.target, "NOT FOUND", m_ctx.state.CurrentPageName, RowColour::Red);
        m_ctx.state.MissingImages.Add(ref.target);
        return;
    }
    m_ctx.trace.MarkUsed(found);
    if (found.exactCase) {
        grid.SetCell(row, 1, "OK");
        m_ctx.state.ValidImages.Add(ref.target);
    } else {
        grid.SetCell(row, 1, "OK but CASE MISMATCH");
        grid.SetColour(row, RowColour::Red);
        m_ctx.state.MissingImages.Add(ref.target + " (Case Mismatch)");
    }
    UpdateImagesLabel();
    grid.AppendBlankRow();
}

void ReferenceCheck::CheckLocalLink(const Reference& ref)
{
    ResultGrid& grid = m_ctx.models.LinkGrid;
    std::string target = LinkTarget(ref.target);
    StartRow(grid, ref.target, target);

    bool trace = true;
    std::size_t hash = target.find('#');
    if (hash != std::string::npos) {
        CheckAnchorLink(ref, target, hash, trace);
    } else {
        FileSystem::Found found = TargetExists(ref.folder, target);
        m_ctx.trace.MarkUsed(found);
        std::size_t row = grid.LastRow();
        if (!found.exists) {
            grid.SetCell(row, 1, "NOT FOUND");
            grid.SetColour(row, RowColour::Red);
            m_ctx.state.FailedLinks.Add(target);
            trace = false;
        } else if (found.exactCase) {
            grid.SetCell(row, 1, "OK");
            m_ctx.state.ValidLinks.Add(target);
            UpdateLinksLabel();
        } else {
            grid.SetCell(row, 1, "OK but CASE MISMATCH");
            grid.SetColour(row, RowColour::Red);
            m_ctx.state.FailedLinks.Add(target + " (Case Mismatch)");
            UpdateLinksLabel();
        }
    }
    if (m_ctx.options.TraceIntoLinks && trace)
        m_ctx.trace.ConsiderPage(target.substr(0, hash));
    grid.AppendBlankRow();
}

void ReferenceCheck::CheckAnchorLink(const Reference& ref, const std::string& target, std::size_t hash, bool& trace)
{
    ResultGrid& grid = m_ctx.models.LinkGrid;
    std::size_t row = grid.LastRow();
    RunState& state = m_ctx.state;
    bool otherPage = hash > 0 && (ref.folder.empty() || hash != ref.folder.size());

    std::string stored = target;
    std::string pagePath = otherPage ? target.substr(0, hash) : state.CurrentPage;
    FileSystem::Found page;
    if (otherPage) {
        page = TargetExists(ref.folder, pagePath);
        if (!page.exists) {
            // A missing page is reported here once and never queued to fail again.
            grid.SetCell(row, 1, "NOT FOUND");
            grid.SetColour(row, RowColour::Red);
            state.FailedLinks.Add(target);
            trace = false;
            return;
        }
        m_ctx.trace.MarkUsed(page);
    } else {
        page.exists = true;
        stored = state.CurrentPage + target.substr(hash);
        grid.SetCell(row, 0, stored);
    }

    std::string anchor = ref.upperValue.substr(std::min(ref.upperValue.size(), ref.upperValue.find('#') + 1));
    const AnchorIndex::Anchors* anchors = anchor.empty() ? nullptr : AnchorsOf(pagePath);
    bool anchorFound = anchors && anchors->count(anchor) > 0;
    if (!anchorFound) {
        grid.SetCell(row, 1, "NOT FOUND");
        grid.SetColour(row, RowColour::Red);
        state.FailedLinks.Add(stored);
        return;
    }
    if (!page.exactCase) {
        grid.SetCell(row, 1, "OK but CASE MISMATCH");
        grid.SetColour(row, RowColour::Red);
        state.FailedLinks.Add(stored + " (Case Mismatch)");
        UpdateLinksLabel();
        return;
    }
    grid.SetCell(row, 1, "OK");
    state.ValidLinks.Add(stored);
    UpdateLinksLabel();
}

void ReferenceCheck::CheckExternal(const Reference& ref, bool image)
{
    ResultGrid& grid = image ? m_ctx.models.ImgGrid : m_ctx.models.LinkGrid;
    RunState& state = m_ctx.state;
    m_ctx.models.Labels.SetStatus("Testing " + ref.target);
    state.CurrentRef = ref.target;
    grid.SetColour(grid.LastRow(), RowColour::White);

    std::string lower = CaseFold::LowerCase(ref.target);
    bool wanted = image ? m_ctx.options.CheckExtImages : m_ctx.options.CheckExtLinks;
    bool probed = wanted && (lower.rfind("http", 0) == 0 || lower.rfind("ftp", 0) == 0);
    if (!probed) {
        if (!m_ctx.options.ListUnchecked)
            return;
        (image ? state.UncheckedExtImages : state.UncheckedExtLinks).Add(ref.target);
        grid.FillLastRow(ref.target, "Not checked", state.CurrentPageName, RowColour::Silver);
    } else if (m_ctx.web.ProbeUrl(ref.target.substr(0, ref.target.find('#')))) {
        (image ? state.ValidImages : state.ValidLinks).Add(ref.target);
        grid.FillLastRow(ref.target, "OK", state.CurrentPageName, RowColour::White);
    } else {
        std::string reason = m_ctx.web.Reason();
        if (image) {
            state.FailedExtImages.Add(ref.target + " (" + reason + ")");
            grid.FillLastRow(ref.target, "FAILED: " + reason, state.CurrentPageName, RowColour::Red);
        } else {
            std::string status = std::to_string(m_ctx.web.StatusCode());
            state.FailedExtLinks.Add(ref.target + " (" + reason + " - " + status + ")");
            grid.FillLastRow(ref.target, "FAILED: " + reason + " (" + status + ")", state.CurrentPageName, RowColour::Red);
        }
        return;
    }
    if (image)
        UpdateImagesLabel();
    else
        UpdateLinksLabel();
}
