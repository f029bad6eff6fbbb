#include "engine/AnalyseRun.h"

#include "engine/HeadersRecord.h"
#include "engine/LocalSite.h"
#include "engine/OnlineSite.h"
#include "engine/PageScanner.h"
#include "engine/ProbeScheduler.h"
#include "engine/RememberFile.h"
#include "engine/RunContext.h"
#include "engine/SiteTrace.h"
#include "platform/CaseFold.h"
#include "platform/DateFormat.h"
#include "report/ReportWriter.h"
#include "report/TextReport.h"

#include <algorithm>
#include <ctime>

namespace {

TextReportInputs ReportInputs(const RunState& s, const RunOptions& o, std::size_t selected)
{
    return { s, s.PagesToCheck, o.ReportIntImages, o.ReportLinks, o.ReportExtImages, o.ReportExtLinks,
        o.ListUnchecked, s.AbortRequested, selected };
}

long ReportSize(const RunState& s, const RunOptions& o)
{
    std::size_t n = 0;
    if (o.ReportIntImages)
        n += s.ValidImages.Count() + s.UncheckedExtImages.Count() + s.MissingImages.Count() + s.CommentedImages.Count();
    if (o.ReportLinks)
        n += s.ValidLinks.Count() + s.UncheckedExtLinks.Count() + s.FailedLinks.Count() + s.NotFoundExtLinks.Count()
            + s.FailedExtLinks.Count() + s.CommentedLinks.Count() + s.FilesNotAnalysed.Count() + s.PagesToCheck.Count();
    return long(n);
}

}

bool AnalyseRun::FillQueue(const RunRequest& request, SiteTrace& trace)
{
    if (request.options.OnlineMode) {
        if (request.options.BaseHRef.empty()) {
            m_host.ShowMessage("You must specify a Base HREF for your site\r\nbefore you can perform an on-line check.");
            return false;
        }
        if (!request.startingFile.empty())
            trace.QueueStartPage(request.startingFile);
        return true;
    }
    std::size_t selected = std::min(request.selectedFiles.size(), MaxSelectedFiles);
    if (request.selectedFiles.size() > MaxSelectedFiles)
        m_host.ShowMessage("Cannot check more than 500 files at one time.\r\nOnly the first 500 will be checked.");
    if (selected > 0) {
        for (std::size_t i = 0; i < selected; ++i)
            trace.QueueStartPage(request.selectedFiles[i]);
        return true;
    }
    const std::string& start = request.startingFile;
    bool listed = std::any_of(request.fileList.begin(), request.fileList.end(),
        [&](const std::string& name) { return CaseFold::EqualIgnoringCase(name, start); });
    if (start.empty() || !listed) {
        m_host.ShowMessage("To check files locally you must first select at least one file in the file list.");
        return false;
    }
    trace.QueueStartPage(start);
    return true;
}

void AnalyseRun::StartHtmlReport(const RunOptions& options)
{
    HtmlReport& html = m_models.Html;
    html.Clear();
    html.SetShowFailedOnly(options.ShowFailedOnly);
    if (options.HtmlResults)
        html.Start(DateFormat::LocalTime(std::time(nullptr)));
}

bool AnalyseRun::EndHtmlReport(const std::string& folder)
{
    m_models.Html.End();
    std::string path = m_host.ChooseSaveFile({ "tarvik-report.html", "html", "Save HTML Report", folder });
    if (path.empty())
        return true;
    std::string error = m_models.Html.SaveTo(path);
    if (error.empty())
        return true;
    m_host.ShowMessage(error);
    return false;
}

RunOutcome AnalyseRun::Run(const RunRequest& request)
{
    const RunOptions& options = request.options;
    RunOutcome outcome;
    m_state.Reset();
    RunLabels& labels = m_models.Labels;
    labels.SetStatus("");
    labels.SetLinks("Links: 0");
    labels.SetImages("Images: 0");
    labels.SetTitle("");
    m_models.Report.Clear();
    m_models.LinkGrid.Reset();
    m_models.ImgGrid.Reset();
    StartHtmlReport(options);

    LocalSite site(request.folder);
    SiteTrace trace(m_state, labels, options.OnlineMode ? nullptr : &site.Files(),
        options.ReportUnused ? SiteTrace::Unused::Report : SiteTrace::Unused::Ignore);
    if (!options.OnlineMode && request.reading == RunRequest::Reading::Ahead) {
        site.ReadAhead(options.Html5 ? WalkedPage::Markup::Html5 : WalkedPage::Markup::Classic);
        trace.OnQueued([&site](const std::string& page) { site.QueuePage(page); });
    }
    WebAccess web(m_http, m_state, m_host, options);
    std::optional<OnlineSite> online;
    if (options.OnlineMode)
        online.emplace(web, m_state, m_models, options.BaseHRef, OpenCache(options));
    RunContext context { options, m_state, m_models, m_host, site, trace, web, online ? &*online : nullptr };
    std::optional<ProbeScheduler> probes;
    if (options.Probes.jobs > 1 && (options.CheckExtLinks || options.CheckExtImages)) {
        probes.emplace(m_http, options, m_state, m_host);
        context.probes = &*probes;
    }
    std::optional<RememberFile> remembered;
    if (!options.Probes.rememberFile.empty()) {
        remembered.emplace(options.Probes.rememberFile, m_host);
        context.remembered = &remembered->Results();
    }
    ReportWriter writer(m_models.Report);
    if (options.HtmlResults)
        writer.SetHtmlReport(&m_models.Html);
    std::size_t selected = std::min(request.selectedFiles.size(), MaxSelectedFiles);

    m_state.startTime = std::chrono::steady_clock::now();
    if (!FillQueue(request, trace)) {
        m_state.Reset();
        return outcome;
    }

    PageScanner scanner(context);
    for (;;) {
        if (m_state.PagesToCheck.Empty()) {
            labels.SetPagesToCheck("Pages left to check: 0");
            break;
        }
        if (options.SeparateReports)
            m_state.ClearResultLists();
        m_host.ProcessMessages();
        if (m_state.AbortRequested)
            break;
        labels.SetFileName(std::string(m_state.PagesToCheck.Front()));
        labels.SetPagesToCheck("Pages left to check: " + std::to_string(m_state.PagesToCheck.Count()));
        std::string page = m_state.PagesToCheck.TakeFront();
        m_state.FilesAnalysed.Add(page);
        m_state.CurrentPage = page;
        TextReport::WritePageHeading(writer, page);
        bool scanned = scanner.ScanPage(page);
        if (m_state.AbortRequested)
            break;
        if (!scanned)
            m_state.FilesNotAnalysed.Add(page);
        else
            ++outcome.pagesAnalysed;
        if (options.SeparateReports) {
            TextReport::WriteSections(writer, labels, ReportInputs(m_state, options, selected), options.ReportIntImages,
                options.ReportLinks, ReportScope::OnePage);
            std::size_t errors = m_state.PageErrorCount();
            outcome.errorCount += errors;
            TextReport::WriteVerdict(writer, errors > 0);
            writer.WriteReportLine("", ReportStyle::Normal, 0, ReportColour::Black);
        }
    }

    m_state.endTime = std::chrono::steady_clock::now();
    // An aborted run leaves pages queued: the reader stops before the closing questions.
    site.EndReadAhead();
    m_host.ResultsFinal();
    if (remembered)
        remembered->Save();
    trace.ListUnusedFiles();
    outcome.end = m_state.AbortRequested ? RunOutcome::End::Aborted : RunOutcome::End::Finished;
    bool makeReport = true;
    if (!options.SeparateReports) {
        makeReport = m_host.AskYesNo(std::string(m_state.AbortRequested ? "ABORTED BY USER - create partial text report"
                                                                        : "Checking completed - create text report")
            + (options.HtmlResults ? " and HTML report" : "") + "?");
    }
    if (!options.SeparateReports)
        outcome.errorCount = m_state.RunErrorCount();
    if (!options.SeparateReports && makeReport) {
        labels.SetGauge({ ReportSize(m_state, options), 0, true, true });
        TextReport::WriteSections(writer, labels, ReportInputs(m_state, options, selected), options.ReportIntImages,
            options.ReportLinks, ReportScope::WholeRun);
        labels.SetStatus("CREATING REPORT... Files not analysed");
        TextReport::WriteVerdict(writer, outcome.errorCount > 0);
    }
    if (makeReport) {
        TextReport::WriteClosingBlock(writer, labels, m_state.FilesNotAnalysed, m_state.UnusedFiles, options.ReportUnused);
        TextReport::WriteTotalTime(writer, std::chrono::duration<double>(m_state.endTime - m_state.startTime).count());
    }
    if (options.HtmlResults && makeReport)
        outcome.htmlReportSaveFailed = !EndHtmlReport(request.folder);
    outcome.reportMade = makeReport;
    outcome.notAnalysed = m_state.FilesNotAnalysed.Items();
    m_state.UnusedFiles.Sort();
    outcome.unused = m_state.UnusedFiles.Items();
    if (options.RecordHeaders)
        outcome.receivedHeaders = HeadersRecord::Text(m_state.ReceivedHeaders);
    m_host.RunEnding(outcome);
    ReturnToIdle();
    return outcome;
}

void AnalyseRun::ReturnToIdle()
{
    RunLabels& labels = m_models.Labels;
    labels.SetGauge({});
    labels.SetFileName("");
    labels.SetStatus("");
    m_models.LinkGrid.TrimBlankRow();
    m_models.ImgGrid.TrimBlankRow();
    m_state.ClearResultLists();
    m_state.FilesNotAnalysed.Clear();
    m_state.UnusedFiles.Clear();
    m_state.ReceivedHeaders.Clear();
    m_state.LastFetchedUrl.clear();
    m_state.LastFetchedText.clear();
}

std::optional<DownloadCache> AnalyseRun::OpenCache(const RunOptions& options)
{
    if (!options.CacheDownloads)
        return std::nullopt;
    std::string error;
    std::optional<DownloadCache> cache = DownloadCache::Create(error);
    if (!cache)
        m_host.ShowMessage(error + "\r\nPages will be downloaded without a cache.");
    return cache;
}
