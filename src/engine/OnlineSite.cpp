#include "engine/OnlineSite.h"

#include "engine/PathText.h"
#include "platform/CaseFold.h"

namespace {

bool IsWebAddress(std::string_view address)
{
    for (std::string_view scheme : { "http:", "https:", "ftp:" })
        if (CaseFold::StartsWithIgnoringCase(address, scheme))
            return true;
    return false;
}

}

OnlineSite::OnlineSite(WebAccess& web, RunState& state, RunModels& models, const std::string& baseHRef,
    std::optional<DownloadCache> cache)
    : m_web(web)
    , m_state(state)
    , m_models(models)
    , m_base(baseHRef)
    , m_cache(std::move(cache))
{
}

std::string OnlineSite::Address(const std::string& path) const
{
    if (!m_base.empty() && m_base.back() == '/')
        return m_base + path;
    return m_base + "/" + path;
}

bool OnlineSite::FetchPage(const std::string& page, std::string& text)
{
    std::string path = PathText::Normalize(page);
    if (Fetch(path, text))
        return true;
    std::string reason = m_web.Reason();
    m_state.FailedExtLinks.Add(path + " (" + reason + ")");
    m_models.LinkGrid.FillLastRow(path, "FAILED: " + reason, "", RowColour::Red);
    return false;
}

bool OnlineSite::Fetch(const std::string& path, std::string& text)
{
    if (m_state.LastFetchedUrl == path && !path.empty()) {
        text = m_state.LastFetchedText;
        return true;
    }
    if (m_cache && m_cache->Read(path, text)) {
        m_models.Labels.SetStatus("Reading " + path + " from cache");
    } else {
        m_models.Labels.SetStatus("Downloading " + path);
        if (!m_web.DownloadPage(Address(path), text)) {
            m_state.LastFetchedUrl.clear();
            return false;
        }
        if (m_cache)
            m_cache->Store(path, text);
    }
    m_state.LastFetchedUrl = path;
    m_state.LastFetchedText = text;
    return true;
}

bool OnlineSite::TargetExists(const std::string& target)
{
    std::string address = target.substr(0, target.find('#'));
    if (address.find(':') == std::string::npos)
        address = Address(PathText::Normalize(address));
    else if (!IsWebAddress(address))
        return false; // a script pseudo-address or the like: nothing a server could answer

    // Pages name the same file in many relative spellings and with many anchors: within a
    // run the server is asked about each address once.
    auto known = m_probed.find(address);
    if (known != m_probed.end())
        return known->second;
    bool exists = m_web.ProbeUrl(address);
    m_probed.emplace(address, exists);
    return exists;
}

const AnchorIndex::Anchors* OnlineSite::AnchorsOf(const std::string& page)
{
    // The anchor test fills the link's own grid row: a page that cannot be had makes that
    // row "NOT FOUND", and its failure is reported as a row of its own where it is scanned.
    bool fetched = true;
    std::string path = PathText::Normalize(page);
    const AnchorIndex::Anchors& anchors = m_anchors.Of(path, [&] {
        std::string text;
        fetched = Fetch(path, text);
        return text;
    });
    return fetched ? &anchors : nullptr;
}
