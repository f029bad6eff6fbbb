#pragma once

#include "engine/RunContext.h"
#include "platform/StringSet.h"

#include <string>

class ReferenceCheck;

/// Checks the url()s of the local style sheets the pages link, each sheet once a run:
/// they are resolved against the sheet's own folder and stand in the sheet, which the
/// grids show as the file they are in.
class StyleSheetScan {
public:
    explicit StyleSheetScan(RunContext& context)
        : m_ctx(context)
    {
    }

    /// Whether a link target is a style sheet to scan.
    static bool IsStyleSheet(const std::string& path);

    /// `realPath` is where the sheet lies on disk.
    void Scan(const std::string& realPath, ReferenceCheck& check);

private:
    RunContext& m_ctx;
    StringSet m_scanned;
};
