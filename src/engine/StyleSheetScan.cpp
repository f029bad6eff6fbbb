#include "engine/StyleSheetScan.h"

#include "engine/Html5References.h"
#include "engine/LineCounter.h"
#include "engine/PathText.h"
#include "engine/ReferenceCheck.h"
#include "platform/CaseFold.h"
#include "report/TextReport.h"

#include <utility>

bool StyleSheetScan::IsStyleSheet(const std::string& path)
{
    return CaseFold::EqualIgnoringCase(PathText::ExtensionOf(path), ".css");
}

void StyleSheetScan::Scan(const std::string& realPath, ReferenceCheck& check)
{
    if (!m_scanned.Insert(realPath))
        return;
    std::string css;
    if (!m_ctx.site.FetchPage(realPath, css).Ok())
        return;
    RunState& state = m_ctx.state;
    const std::string& base = m_ctx.site.Files().BaseFolder();
    std::string sheet = realPath.starts_with(base + "/") ? realPath.substr(base.size() + 1) : realPath;
    std::string page = std::exchange(state.CurrentPage, sheet);
    std::string pageName = std::exchange(state.CurrentPageName, TextReport::FileNamePart(sheet));
    std::uint32_t line = state.CurrentLine;
    LineCounter lines(css);
    std::string folder = PathText::FolderOf(sheet);
    for (const Html5References::CssUrl& url : Html5References::CssUrls(css)) {
        if (state.AbortRequested)
            break;
        state.CurrentLine = lines.LineAt(url.offset);
        check.CheckValue(url.url, ResolvedReference::Use::Image, folder);
    }
    state.CurrentPage = std::move(page);
    state.CurrentPageName = std::move(pageName);
    state.CurrentLine = line;
}
