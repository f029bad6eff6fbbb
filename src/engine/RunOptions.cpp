#include "engine/RunOptions.h"

RunOptions MakeRunOptions(const DialogChoices& c, const WindowSettings& settings)
{
    RunOptions o;
    o.OnlineMode = c.online;
    o.BaseHRef = c.baseHRef == "http://" ? "" : c.baseHRef;
    o.SeparateReports = c.separateReports;
    o.TraceIntoLinks = c.trace;
    o.HtmlResults = c.htmlResults;
    o.ReportUnused = c.reportUnusedEnabled && c.reportUnused && c.trace && !c.online;
    o.CheckIntImages = o.ReportIntImages = c.internal == InternalChoice::ImagesAndLinks;
    o.CheckExtImages = o.ReportExtImages = c.external == ExternalChoice::ImagesAndLinks;
    o.CheckExtLinks = c.external != ExternalChoice::None;
    o.RecordHeaders = c.recordHeaders;
    o.CacheDownloads = c.cacheDownloads;
    o.IndexFiles = c.indexFiles;
    o.ListUnchecked = settings.listUnchecked;
    o.ShowFailedOnly = settings.showFailedOnly;
    return o;
}
