#include "cli/CliHost.h"
#include "cli/CliOptions.h"
#include "cli/InterruptSignals.h"
#include "cli/JsonResults.h"
#include "cli/JsonSave.h"
#include "cli/JunitResults.h"
#include "cli/SarifResults.h"
#include "cli/SiteFolder.h"
#include "components/MainWindowVersion.h"
#include "engine/AnalyseRun.h"
#include "net/THttpCli.h"
#include "platform/AtomicFile.h"
#include "platform/CaseFold.h"
#include "platform/DateFormat.h"
#include "platform/FileSystem.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

constexpr int ExitNoErrors = 0;
constexpr int ExitErrors = 1;
constexpr int ExitCannotRun = 2;

int Fail(const std::string& message)
{
    PrintCliMessage(message);
    return ExitCannotRun;
}

/// The names the desktop program's file list shows with its first mask, "*.*htm*".
std::vector<std::string> HtmlFileList(const FileSystem& files)
{
    std::vector<std::string> names;
    for (const std::string& name : files.FileNames("")) {
        std::size_t dot = name.find('.');
        if (dot != std::string::npos && CaseFold::FindIgnoringCase(name, "htm", dot + 1) != std::string::npos)
            names.push_back(name);
    }
    return names;
}

void Write(std::FILE* stream, std::string_view text)
{
    // fwrite, not fputs: a page may put NUL bytes into the report.
    std::fwrite(text.data(), 1, text.size(), stream);
}

bool Save(const std::string& path, const TextSource& content)
{
    std::string error = WriteFileAtomically(path, content);
    if (error.empty())
        return true;
    Fail(error);
    return false;
}

/// The JSON results go to a file of their own: one the run or the other saves also write
/// keeps the last save's text, as it would if the saves came one after another.
bool JsonFileOfItsOwn(const CliOptions& o)
{
    for (const std::string* other :
        { &o.reportFile, &o.htmlFile, &o.junitFile, &o.sarifFile, &o.headersFile, &o.probes.rememberFile })
        if (*other == o.jsonFile)
            return false;
    return true;
}

bool Save(const std::string& path, std::string_view content)
{
    return Save(path, [content](const TextSink& sink) { sink(content); });
}

}

int main(int argc, char** argv)
{
    DateFormat::UseSystemLanguage();
    std::string error;
    std::optional<CliOptions> options = ParseCommandLine({ argv + 1, argv + argc }, error);
    if (!options) {
        Fail(error);
        std::fputs("Try 'tarvik-cli --help'.\n", stderr);
        return ExitCannotRun;
    }
    if (options->help) {
        std::fputs(UsageText().c_str(), stdout);
        return ExitNoErrors;
    }
    if (options->version) {
        std::printf("%s\n%s\n", MainWindowVersionLabel().c_str(), MainWindowCopyright().c_str());
        return ExitNoErrors;
    }

    std::optional<std::string> folder = OpenSiteFolder(options->folder, error);
    if (!folder)
        return Fail(error);

    RunRequest request;
    request.options = MakeRunOptions(options->choices, options->settings);
    request.options.Probes = options->probes;
    request.options.Exclusions = options->exclusions;
    request.options.Html5 = options->html5;
    request.folder = *folder;
    request.selectedFiles = options->files;
    request.startingFile = options->startingFile;
    request.fileList = HtmlFileList(FileSystem(*folder));

    RunModels models;
    RunState state;
    bool showProgress = !options->quiet && ::isatty(STDERR_FILENO);
    CliHost host(models, options->answerNoToNonHtml ? CliHost::NonHtmlPages::Skip : CliHost::NonHtmlPages::Analyse,
        showProgress ? CliHost::Progress::Shown : CliHost::Progress::Hidden);
    host.SetHtmlReportFile(options->htmlFile);
    host.AbortOnInterrupt(state);
    InterruptSignals::Install();
    std::optional<JsonSave> json;
    if (!options->jsonFile.empty() && JsonFileOfItsOwn(*options)) {
        json.emplace(options->jsonFile, models, state);
        host.SaveJsonBesideReport(*json);
    }
    THttpCli http;
    http.Timeout = options->timeout;
    RunOutcome outcome = AnalyseRun(state, models, host, http).Run(request);
    if (outcome.end == RunOutcome::End::NotStarted)
        return ExitCannotRun;

    bool saved = true;
    if (options->reportFile.empty()) {
        models.Report.WritePlainText("\n", [](std::string_view piece) { Write(stdout, piece); });
        // Before any save, which may be to standard output too.
        std::fflush(stdout);
    } else {
        saved = Save(options->reportFile,
            [&](const TextSink& sink) { models.Report.WritePlainText("\r\n", sink); });
    }
    if (json && json->Made()) {
        if (!json->Error().empty()) {
            Fail(json->Error());
            saved = false;
        }
    } else if (!options->jsonFile.empty())
        saved = Save(options->jsonFile,
                    [&](const TextSink& sink) {
                        WriteResultsJson(sink, models.LinkGrid, models.ImgGrid, state.Places, outcome);
                    })
            && saved;
    if (!options->junitFile.empty())
        saved = Save(options->junitFile, JunitXml(models.LinkGrid, models.ImgGrid, state.Places)) && saved;
    if (!options->sarifFile.empty())
        saved = Save(options->sarifFile, SarifLog(models.LinkGrid, models.ImgGrid, state.Places)) && saved;
    if (!options->headersFile.empty())
        saved = Save(options->headersFile, outcome.receivedHeaders) && saved;
    if (int signal = InterruptSignals::Received())
        return 128 + signal;
    if (!saved || outcome.htmlReportSaveFailed)
        return ExitCannotRun;
    if (outcome.pagesAnalysed == 0)
        return Fail("not one page could be analysed");
    return outcome.errorCount > 0 ? ExitErrors : ExitNoErrors;
}
