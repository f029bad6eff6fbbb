#include "engine/ReferenceCheck.h"

#include "engine/PathText.h"
#include "engine/UrlText.h"

#include <algorithm>
#include <cassert>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

/// A fragment is matched as written and, failing that, with its escapes decoded, as
/// browsers do; an exact match either way beats one that ignores letter case.
AnchorIndex::Match FindAnchor(const AnchorIndex::Anchors& anchors, const std::string& fragment)
{
    AnchorIndex::Match match = AnchorIndex::Find(anchors, fragment);
    std::string decoded = UrlText::Decode(fragment);
    if (match != AnchorIndex::Match::Exact && decoded != fragment)
        match = std::min(match, AnchorIndex::Find(anchors, decoded));
    return match;
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

ReferenceCheck::ReferenceCheck(RunContext& context)
    : m_ctx(context)
    , m_external(context)
    , m_styleSheets(context)
{
    std::string error;
    m_exclusions = ExclusionList::Compile(context.options.Exclusions, error);
}

ResolvedReference ReferenceCheck::Resolve(
    std::string_view value, ResolvedReference::Use use, const std::string& folder) const
{
    // The server, not the browser, decodes the path of an on-line run.
    return ResolvedReference::Resolve(value, folder, m_ctx.state.CurrentPage, use,
        m_ctx.online ? ResolvedReference::Decoding::AsWritten : ResolvedReference::Decoding::Decoded);
}

void ReferenceCheck::StartProbeAhead(std::string_view value, ResolvedReference::Use use, const std::string& folder)
{
    if (m_exclusions.Matches(value))
        return;
    m_external.StartAhead(Resolve(value, use, folder), use == ResolvedReference::Use::Image);
}

void ReferenceCheck::CheckValue(std::string_view value, ResolvedReference::Use use, const std::string& folder)
{
    if (m_ctx.state.AbortRequested)
        return;
    ResolvedReference ref = Resolve(value, use, folder);
    if (NoteFirstPlace(ref.SeenKeyParts().View()))
        CheckFirst(value, ref, use);
}

void ReferenceCheck::CheckValue(std::string_view value, ResolvedReference::Use use, const std::string& folder,
    const ResolvedReference::KeyView& key, std::uint32_t knownRef)
{
    RunState& state = m_ctx.state;
    if (state.AbortRequested)
        return;
    if (knownRef != ReferencePlaces::None) {
        m_placeRef = state.Places.NoteAgain(knownRef, state.CurrentPage, state.CurrentLine);
        return;
    }
    if (!NoteFirstPlace(key))
        return;
    ResolvedReference ref = Resolve(value, use, folder);
    assert(ref.SeenKeyParts().View() == key && "a key made ahead is the key of the value");
    CheckFirst(value, ref, use);
}

bool ReferenceCheck::NoteFirstPlace(const ResolvedReference::KeyView& key)
{
    RunState& state = m_ctx.state;
    bool first = false;
    m_placeRef = state.Places.Note(key, state.CurrentPage, state.CurrentLine, first);
    return first;
}

void ReferenceCheck::CheckFirst(std::string_view value, const ResolvedReference& ref, ResolvedReference::Use use)
{
    RunState& state = m_ctx.state;
    bool image = use == ResolvedReference::Use::Image;
    if (m_exclusions.Matches(value)) {
        ListExcluded(ref, image);
        return;
    }
    Clock::time_point start = Clock::now();

    ResultGrid& grid = image ? m_ctx.models.ImgGrid : m_ctx.models.LinkGrid;
    std::size_t timingRow = grid.LastRow();
    m_ctx.host.ProcessMessages();
    if (state.AbortRequested)
        return;

    bool checkLocal = image ? m_ctx.options.CheckIntImages : m_ctx.options.CheckIntLinks;
    std::optional<std::string> probeSeconds;
    switch (ref.kind) {
    case ResolvedReference::Kind::Address:
        probeSeconds = CheckExternal(ref, image);
        break;
    case ResolvedReference::Kind::FileUrl:
        if (checkLocal)
            CheckFileUrl(ref, image);
        break;
    case ResolvedReference::Kind::Local:
        if (checkLocal && image)
            CheckLocalImage(ref);
        else if (checkLocal)
            CheckLocalLink(ref);
        break;
    }

    grid.SetCell(timingRow, 3, probeSeconds ? *probeSeconds : FormatSeconds(Clock::now() - start));
    if (grid.LastRow() > timingRow)
        state.Places.BindRow(
            m_placeRef, image ? ReferencePlaces::Grid::Images : ReferencePlaces::Grid::Links, timingRow);
    if (!m_styleSheetFound.empty())
        m_styleSheets.Scan(std::exchange(m_styleSheetFound, {}), *this);
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

FileSystem::Found ReferenceCheck::FindPage(const ResolvedReference& ref, std::string& page)
{
    if (ref.samePage) {
        // The page being analysed exists, under the name it was opened by.
        FileSystem::Found found
            = m_ctx.online ? FileSystem::Found {} : m_ctx.site.Files().Locate(page, FileSystem::Kind::File);
        found.exists = found.exactCase = true;
        return found;
    }
    FileSystem::Found found = TargetExists(ref.folder, page);
    if (found.exists || m_ctx.online)
        return found;
    for (const std::string& name : m_ctx.options.IndexFiles) {
        std::string index = page + (page.empty() || PathText::IsSeparator(page.back()) ? "" : "/") + name;
        found = TargetExists(ref.folder, index);
        if (found.exists) {
            page = std::move(index);
            return found;
        }
    }
    return found;
}

const AnchorIndex::Anchors* ReferenceCheck::AnchorsOf(const std::string& page, const FileSystem::Found& found)
{
    if (m_ctx.online)
        return m_ctx.online->AnchorsOf(page);
    return found.file == FileSystem::NoFile ? nullptr : &m_ctx.site.AnchorsOf(found);
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

void ReferenceCheck::ListTarget(StringList& list, const std::string& target, bool image)
{
    // The grid's pool holds the target already, as the row's first cell or nearly so; the
    // list views that copy. The run clears its lists before it resets the grids.
    ResultGrid& grid = image ? m_ctx.models.ImgGrid : m_ctx.models.LinkGrid;
    list.AddKept(grid.Keep(target));
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

void ReferenceCheck::UpdateLabel(bool image)
{
    if (image)
        UpdateImagesLabel();
    else
        UpdateLinksLabel();
}

void ReferenceCheck::CheckLocalImage(const ResolvedReference& ref)
{
    ResultGrid& grid = m_ctx.models.ImgGrid;
    StartRow(grid, ref.target, ref.target);
    FileSystem::Found found;
    if (ref.samePage)
        found.exists = true;
    else if (ref.path)
        found = TargetExists(ref.folder, *ref.path);
    std::size_t row = grid.LastRow();
    if (!found.exists) {
        grid.FillLastRow(ref.target, "NOT FOUND", m_ctx.state.CurrentPageName, RowColour::Red);
        ListTarget(m_ctx.state.MissingImages, ref.target, true);
        return;
    }
    m_ctx.trace.MarkUsed(found);
    if (found.exactCase) {
        grid.SetCell(row, 1, "OK");
        ListTarget(m_ctx.state.ValidImages, ref.target, true);
    } else {
        grid.SetCell(row, 1, "OK but CASE MISMATCH");
        grid.SetColour(row, RowColour::Red);
        m_ctx.state.MissingImages.Add(ref.target + " (Case Mismatch)");
    }
    UpdateImagesLabel();
    grid.AppendBlankRow();
}

void ReferenceCheck::CheckLocalLink(const ResolvedReference& ref)
{
    ResultGrid& grid = m_ctx.models.LinkGrid;
    RunState& state = m_ctx.state;
    StartRow(grid, ref.display, ref.target);
    std::size_t row = grid.LastRow();

    std::string page = ref.path.value_or("");
    FileSystem::Found found;
    if (ref.path)
        found = FindPage(ref, page);
    m_ctx.trace.MarkUsed(found);
    if (m_ctx.options.Html5 && !m_ctx.online && found.exists && StyleSheetScan::IsStyleSheet(found.realPath))
        m_styleSheetFound = found.realPath;
    AnchorIndex::Match anchor = AnchorIndex::Match::Exact;
    if (found.exists && !ref.fragment.empty()) {
        const AnchorIndex::Anchors* anchors = AnchorsOf(page, found);
        anchor = anchors ? FindAnchor(*anchors, ref.fragment) : AnchorIndex::Match::None;
    }

    if (found.exists && anchor == AnchorIndex::Match::None)
        state.Places.MarkMissingAnchor(m_placeRef);
    if (!found.exists || anchor == AnchorIndex::Match::None) {
        grid.SetCell(row, 1, "NOT FOUND");
        grid.SetColour(row, RowColour::Red);
        ListTarget(state.FailedLinks, ref.target, false);
    } else if (!found.exactCase || anchor == AnchorIndex::Match::OtherCase) {
        grid.SetCell(row, 1, "OK but CASE MISMATCH");
        grid.SetColour(row, RowColour::Red);
        state.FailedLinks.Add(ref.target + " (Case Mismatch)");
        UpdateLinksLabel();
    } else {
        grid.SetCell(row, 1, "OK");
        ListTarget(state.ValidLinks, ref.target, false);
        UpdateLinksLabel();
    }
    // A page that exists is followed whatever became of its anchor; the page being
    // analysed and a folder are never pages to queue.
    if (m_ctx.options.TraceIntoLinks && found.exists && !ref.samePage && !page.empty()
        && !PathText::IsSeparator(page.back()))
        m_ctx.trace.ConsiderPage(page, found.file);
    grid.AppendBlankRow();
}

void ReferenceCheck::CheckFileUrl(const ResolvedReference& ref, bool image)
{
    // Checked where it points, on this machine; not a file of the site, so neither its
    // letter case nor its anchor is judged and it is never followed.
    ResultGrid& grid = image ? m_ctx.models.ImgGrid : m_ctx.models.LinkGrid;
    RunState& state = m_ctx.state;
    StartRow(grid, ref.display, ref.target);
    std::size_t row = grid.LastRow();
    if (ref.path && m_ctx.site.Files().Locate(*ref.path, FileSystem::Kind::File).exists) {
        grid.SetCell(row, 1, "OK");
        ListTarget(image ? state.ValidImages : state.ValidLinks, ref.target, image);
        if (image)
            UpdateImagesLabel();
        else
            UpdateLinksLabel();
    } else {
        grid.SetCell(row, 1, "NOT FOUND");
        grid.SetColour(row, RowColour::Red);
        ListTarget(image ? state.MissingImages : state.FailedLinks, ref.target, image);
    }
    grid.AppendBlankRow();
}

void ReferenceCheck::ListExcluded(const ResolvedReference& ref, bool image)
{
    ResultGrid& grid = image ? m_ctx.models.ImgGrid : m_ctx.models.LinkGrid;
    RunState& state = m_ctx.state;
    ListTarget(image ? state.UncheckedExtImages : state.UncheckedExtLinks, ref.target, image);
    bool asTarget = image || ref.kind == ResolvedReference::Kind::Address;
    std::size_t row = grid.LastRow();
    grid.FillLastRow(
        asTarget ? ref.target : ref.display, "Not checked", state.CurrentPageName, RowColour::Silver);
    grid.SetCell(row, 3, FormatSeconds(Clock::duration::zero()));
    state.Places.BindRow(
        m_placeRef, image ? ReferencePlaces::Grid::Images : ReferencePlaces::Grid::Links, row);
    if (image)
        UpdateImagesLabel();
    else
        UpdateLinksLabel();
}

std::optional<std::string> ReferenceCheck::CheckExternal(const ResolvedReference& ref, bool image)
{
    ResultGrid& grid = image ? m_ctx.models.ImgGrid : m_ctx.models.LinkGrid;
    RunState& state = m_ctx.state;
    m_ctx.models.Labels.SetStatus("Testing " + ref.target);
    state.CurrentRef = ref.target;
    grid.SetColour(grid.LastRow(), RowColour::White);

    if (!m_external.Wanted(ref, image)) {
        if (!m_ctx.options.ListUnchecked)
            return std::nullopt;
        ListTarget(image ? state.UncheckedExtImages : state.UncheckedExtLinks, ref.target, image);
        grid.FillLastRow(ref.target, "Not checked", state.CurrentPageName, RowColour::Silver);
        UpdateLabel(image);
        return std::nullopt;
    }
    ProbeResult probe = m_external.Probe(ref);
    // A check that ran reads at least "<0.1": "0.0" tells a result taken from the file.
    std::optional<std::string> probeTime;
    if (probe.remembered)
        probeTime = "0.0";
    else if (m_ctx.probes)
        probeTime = FormatSeconds(probe.elapsed);
    if (!probe.ok) {
        const std::string& reason = probe.reason;
        if (image) {
            state.FailedExtImages.Add(ref.target + " (" + reason + ")");
            grid.FillLastRow(ref.target, "FAILED: " + reason, state.CurrentPageName, RowColour::Red);
        } else {
            std::string status = std::to_string(probe.statusCode);
            state.FailedExtLinks.Add(ref.target + " (" + reason + " - " + status + ")");
            grid.FillLastRow(
                ref.target, "FAILED: " + reason + " (" + status + ")", state.CurrentPageName, RowColour::Red);
        }
        return probeTime;
    }
    ListTarget(image ? state.ValidImages : state.ValidLinks, ref.target, image);
    grid.FillLastRow(ref.target, "OK", state.CurrentPageName, RowColour::White);
    UpdateLabel(image);
    return probeTime;
}
