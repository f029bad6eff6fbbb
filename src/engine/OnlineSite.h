#pragma once

#include "engine/AnchorIndex.h"
#include "engine/DownloadCache.h"
#include "engine/WebAccess.h"
#include "report/RunModels.h"

#include <optional>
#include <string>
#include <unordered_map>

/// The published site as an on-line run reads it: pages relative to the base address,
/// fetched from the download cache or downloaded, and targets tested on the server
/// through the same probe as external addresses.
class OnlineSite {
public:
    OnlineSite(WebAccess& web, RunState& state, RunModels& models, const std::string& baseHRef,
        std::optional<DownloadCache> cache);

    /// The page's text, kept under its path with "." and ".." resolved, so a page reached
    /// through different relative paths is downloaded once. A failed download is reported
    /// here, as a link-grid row and an entry of the failed external links.
    bool FetchPage(const std::string& page, std::string& text);

    /// Whether the target answers on the server; everything from "#" on is left out, and a
    /// target without ":" is taken relative to the base address with "." and ".." resolved.
    bool TargetExists(const std::string& target);

    /// The anchors of a page of the site; false when the page cannot be had.
    const AnchorIndex::Anchors* AnchorsOf(const std::string& page);

private:
    std::string Address(const std::string& path) const;
    /// FetchPage without reporting a failure; `path` is already normalized.
    bool Fetch(const std::string& path, std::string& text);

    WebAccess& m_web;
    RunState& m_state;
    RunModels& m_models;
    std::string m_base;
    std::optional<DownloadCache> m_cache;
    AnchorIndex m_anchors;
    /// Whether each address asked about in this run answered.
    std::unordered_map<std::string, bool> m_probed;
};
