#pragma once

#include "engine/ExternalProbe.h"
#include "engine/ExclusionList.h"
#include "engine/ResolvedReference.h"
#include "engine/RunContext.h"
#include "engine/StyleSheetScan.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

/// Checks the reference one attribute of a tag carries: cuts it out, resolves it against
/// the page's folder, skips a target already checked in this run, tests a local target
/// on disk (existence, letter case of every name the reference gives, the anchor of a
/// "#" link), writes its grid row, files it into the result lists, queues a found page
/// for tracing and times the check.
class ReferenceCheck {
public:
    /// The run's exclusions were found valid before it started.
    explicit ReferenceCheck(RunContext& context);

    /// Checks a reference value as cut from its tag; `folder` is the page's folder.
    void CheckValue(std::string_view value, ResolvedReference::Use use, const std::string& folder);
    /// The same, when the value's seen key was made already: a reference met before is
    /// then not resolved again, nor looked up when `knownRef` says which it is.
    void CheckValue(std::string_view value, ResolvedReference::Use use, const std::string& folder,
        const ResolvedReference::KeyView& key, std::uint32_t knownRef);
    /// Starts the probe that `CheckValue` will want for the same value, when it will probe
    /// an external address; each target once per page.
    void StartProbeAhead(std::string_view value, ResolvedReference::Use use, const std::string& folder);
    /// Forgets the targets started ahead, before the walk of the next page.
    void ClearStartedAhead() { m_external.ClearStartedAhead(); }

private:
    ResolvedReference Resolve(std::string_view value, ResolvedReference::Use use, const std::string& folder) const;
    /// Records the reference's place; true when it is the first.
    bool NoteFirstPlace(const ResolvedReference::KeyView& key);
    /// Checks a reference met for the first time.
    void CheckFirst(std::string_view value, const ResolvedReference& ref, ResolvedReference::Use use);
    void CheckLocalImage(const ResolvedReference& ref);
    void CheckLocalLink(const ResolvedReference& ref);
    void CheckFileUrl(const ResolvedReference& ref, bool image);
    /// The "Secs" cell when it is not the time of the check: the probe's own time when it
    /// ran ahead, "0.0" for a result taken from the remembered ones.
    std::optional<std::string> CheckExternal(const ResolvedReference& ref, bool image);
    void ListExcluded(const ResolvedReference& ref, bool image);
    /// Local targets on disk, or on the server in an on-line run.
    FileSystem::Found TargetExists(const std::string& folder, const std::string& target);
    /// The page a link leads to; `page` becomes the index file's path when the link names
    /// a folder that holds one of the run's index files.
    FileSystem::Found FindPage(const ResolvedReference& ref, std::string& page);
    const AnchorIndex::Anchors* AnchorsOf(const std::string& page, const FileSystem::Found& found);
    void StartRow(ResultGrid& grid, const std::string& display, const std::string& target);
    /// Files a target into one of the sorted result lists.
    void ListTarget(StringList& list, const std::string& target, bool image);
    void UpdateLinksLabel();
    void UpdateImagesLabel();
    void UpdateLabel(bool image);

    RunContext& m_ctx;
    ExternalProbe m_external;
    ExclusionList m_exclusions;
    StyleSheetScan m_styleSheets;
    /// A linked style sheet found by the check under way, scanned when it is done.
    std::string m_styleSheetFound;
    /// The reference being checked, as the run's places know it.
    std::uint32_t m_placeRef = ReferencePlaces::None;
};
