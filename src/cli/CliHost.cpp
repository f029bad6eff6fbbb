#include "cli/CliHost.h"

#include "cli/InterruptSignals.h"
#include "cli/JsonSave.h"

#include <cstdio>

namespace {

std::string WithUnixLineBreaks(std::string text)
{
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

}

CliHost::CliHost(RunModels& models, NonHtmlPages nonHtml, Progress progress)
    : m_models(models)
    , m_nonHtml(nonHtml)
    , m_showProgress(progress == Progress::Shown)
{
}

CliHost::~CliHost() { ClearProgress(); }

void CliHost::ProcessMessages()
{
    if (m_interruptedRun && InterruptSignals::Received())
        m_interruptedRun->AbortRequested = true;
    if (!m_showProgress)
        return;
    // Redrawn a few times a second at most: a terminal is slower than the run.
    auto now = std::chrono::steady_clock::now();
    if (now - m_lastDraw < std::chrono::milliseconds(100))
        return;
    m_lastDraw = now;
    DrawProgress();
}

void CliHost::DrawProgress()
{
    const RunLabels& l = m_models.Labels;
    std::string page = l.FileName();
    if (page.size() > 40)
        page = "..." + page.substr(page.size() - 37);
    // Downloads and cache reads are worth seeing; "Testing ..." changes too fast to read.
    std::string status = l.Status().rfind("Testing ", 0) == 0 ? "" : l.Status();
    if (status.size() > 60)
        status = status.substr(0, 57) + "...";
    std::fprintf(stderr, "\r\x1b[K%s  %s  %s  %s  %s", page.c_str(), l.PagesToCheck().c_str(), l.Links().c_str(),
        l.Images().c_str(), status.c_str());
    std::fflush(stderr);
    m_progressDrawn = true;
}

void CliHost::ClearProgress()
{
    if (!m_progressDrawn)
        return;
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
    m_progressDrawn = false;
}

bool CliHost::AskYesNo(const std::string&) { return true; }

RunHost::YesAllNo CliHost::AskYesAllNo(const std::string&)
{
    return m_nonHtml == NonHtmlPages::Skip ? YesAllNo::No : YesAllNo::YesToAll;
}

void CliHost::ShowMessage(const std::string& text)
{
    ClearProgress();
    PrintCliMessage(WithUnixLineBreaks(text));
}

std::string CliHost::ChooseSaveFile(const SaveRequest&) { return m_htmlReportFile; }

void CliHost::ResultsFinal()
{
    if (m_jsonSave)
        m_jsonSave->Begin();
}

void CliHost::RunEnding(const RunOutcome& outcome)
{
    if (m_jsonSave)
        m_jsonSave->Finish(outcome);
}

void PrintCliMessage(const std::string& text)
{
    std::fprintf(stderr, "tarvik-cli: %s\n", text.c_str());
}
