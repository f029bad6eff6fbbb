#pragma once

#include "engine/DownloadCache.h"
#include "engine/RunHost.h"
#include "engine/RunOptions.h"
#include "engine/RunState.h"
#include "net/THttpCli.h"
#include "report/RunModels.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class SiteTrace;

/// What the front end hands to a run once its options are confirmed.
struct RunRequest {
    RunOptions options;
    /// The folder of the file list: page names are relative to it.
    std::string folder;
    /// The files selected in the file list, in list order.
    std::vector<std::string> selectedFiles;
    /// "Starting file": used when nothing is selected, and by an on-line run.
    std::string startingFile;
    /// The names the file list shows; an unselected starting file must be one of them.
    std::vector<std::string> fileList;
    /// How the pages of an off-line run are read: ahead on a second thread, or each at
    /// its turn on the run's own (which gives the same results, more slowly).
    enum class Reading { Ahead, AtTurn };
    Reading reading = Reading::Ahead;
};

struct RunOutcome {
    enum class End { NotStarted, Finished, Aborted };
    End end = End::NotStarted;
    /// Whether the report was made (the closing question was answered Yes).
    bool reportMade = false;
    /// Failures counted for the verdict (with separate reports: summed over the pages).
    std::size_t errorCount = 0;
    std::size_t pagesAnalysed = 0;
    std::vector<std::string> notAnalysed;
    std::vector<std::string> unused;
    /// The received headers as saved: every entry followed by CR LF.
    std::string receivedHeaders;
    /// The HTML report was to be saved to a file that could not be written.
    bool htmlReportSaveFailed = false;
};

/// One Analyse run from confirmed options to the closing report, off-line over the
/// folder's files or on-line over the published site: fills the page queue,
/// analyses page after page, writes the per-page or combined text report, the verdict,
/// the closing block and the total time. It runs on the caller's thread and keeps the
/// front end alive through the host's ProcessMessages; it writes only into the models.
class AnalyseRun {
public:
    AnalyseRun(RunState& state, RunModels& models, RunHost& host, THttpCli& http)
        : m_state(state)
        , m_models(models)
        , m_host(host)
        , m_http(http)
    {
    }

    static constexpr std::size_t MaxSelectedFiles = 500;

    RunOutcome Run(const RunRequest& request);

private:
    bool FillQueue(const RunRequest& request, SiteTrace& trace);
    void StartHtmlReport(const RunOptions& options);
    bool EndHtmlReport(const std::string& folder);
    void ReturnToIdle();
    std::optional<DownloadCache> OpenCache(const RunOptions& options);

    RunState& m_state;
    RunModels& m_models;
    RunHost& m_host;
    THttpCli& m_http;
};
