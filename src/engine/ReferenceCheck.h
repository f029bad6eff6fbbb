#pragma once

#include "engine/RunContext.h"

#include <chrono>
#include <string>
#include <string_view>

/// Checks the reference one attribute of a tag carries: cuts it out, resolves it against
/// the page's folder, skips a target already checked in this run, tests a local target
/// on disk (existence, letter case of every name the reference gives, the anchor of a
/// "#" link), writes its grid row, files it into the result lists, queues a found page
/// for tracing and times the check.
class ReferenceCheck {
public:
    explicit ReferenceCheck(RunContext& context)
        : m_ctx(context)
    {
    }

    /// `attributeName` is "SRC", "HREF" or "BACKGROUND"; `folder` is the page's folder.
    void CheckReference(std::string_view tag, std::string_view attributeName, const std::string& folder);

private:
    /// A reference after resolution: `target` is also what the grid's first column shows.
    struct Reference {
        const std::string& target;
        const std::string& upperValue;
        const std::string& folder;
    };

    void CheckLocalImage(const Reference& ref);
    void CheckLocalLink(const Reference& ref);
    void CheckExternal(const Reference& ref, bool image);
    /// "OK", or "NOT FOUND" for a missing page or anchor; fills the link grid's last row.
    void CheckAnchorLink(const Reference& ref, const std::string& target, std::size_t hash, bool& trace);
    /// Local targets on disk, or on the server in an on-line run.
    FileSystem::Found TargetExists(const std::string& folder, const std::string& target);
    const AnchorIndex::Anchors* AnchorsOf(const std::string& page);
    void StartRow(ResultGrid& grid, const std::string& display, const std::string& target);
    void UpdateLinksLabel();
    void UpdateImagesLabel();

    RunContext& m_ctx;
};
