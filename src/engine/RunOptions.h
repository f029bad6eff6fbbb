#pragma once

#include <string>
#include <vector>

/// How a run probes external addresses.
struct ProbePolicy {
    /// Probes in flight at once, and at most to one host and port; 1 probes each address
    /// only when its reference is checked.
    int jobs = 8;
    int perHost = 2;
    /// Times a failed probe is asked again when its failure may pass, and the longest
    /// Retry-After, in seconds, that is waited for.
    int retries = 1;
    int maxWait = 60;
    /// The file results are kept in between runs ("" for none), and how old, in seconds,
    /// an "OK" from it may be.
    std::string rememberFile;
    long long maxAge = 24 * 60 * 60;
};

/// The options of one run, read once after the options are confirmed and unchanged while
/// it runs, plus the two window settings a run reads.
struct RunOptions {
    bool OnlineMode = false;
    /// The web site's base address; "http://" alone counts as none.
    std::string BaseHRef;
    bool SeparateReports = false;
    bool TraceIntoLinks = false;
    bool HtmlResults = false;
    bool ReportUnused = false;
    bool CheckIntImages = true;
    bool CheckIntLinks = true;
    bool CheckExtImages = false;
    bool CheckExtLinks = false;
    bool ReportIntImages = true;
    bool ReportLinks = true;
    bool ReportExtImages = false;
    bool ReportExtLinks = true;
    bool RecordHeaders = false;
    bool CacheDownloads = true;
    /// Names of the file a web server serves for a folder ("index.html"), tried in this
    /// order; a link to a folder holding none of them is not found.
    std::vector<std::string> IndexFiles;

    ProbePolicy Probes;
    /// Extended regular expressions; a reference one of them matches is not checked.
    std::vector<std::string> Exclusions;
    /// Also checks the references of today's markup: srcset, media sources, posters,
    /// object data, CSS url() and refresh addresses.
    bool Html5 = false;

    bool ListUnchecked = true;
    bool ShowFailedOnly = false;
};

enum class InternalChoice { ImagesAndLinks, LinksOnly };
enum class ExternalChoice { None, LinksOnly, ImagesAndLinks };

/// The choices of the options dialog (or of the command line that stands for it).
struct DialogChoices {
    InternalChoice internal = InternalChoice::ImagesAndLinks;
    ExternalChoice external = ExternalChoice::None;
    bool online = false;
    std::string baseHRef = "http://";
    bool separateReports = false;
    bool reportUnusedEnabled = true;
    bool reportUnused = false;
    bool trace = false;
    bool htmlResults = false;
    bool recordHeaders = false;
    bool cacheDownloads = true;
    std::vector<std::string> indexFiles;
};

struct WindowSettings {
    bool listUnchecked = true;
    bool showFailedOnly = false;
};

/// Turns the dialog's answers into run options: external images imply external links,
/// unused files need tracing and an off-line run.
RunOptions MakeRunOptions(const DialogChoices& choices, const WindowSettings& settings);
