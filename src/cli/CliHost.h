#pragma once

#include "engine/RunHost.h"
#include "engine/RunState.h"
#include "report/RunModels.h"

#include <chrono>

class JsonSave;

/// The run's host on a terminal: questions are answered from the command line (the
/// closing question Yes, the question about a page without HTML markers "Yes to All" or
/// "No"), messages go to standard error, and, when standard error is a terminal, the
/// labels are shown there as one progress line.
class CliHost : public RunHost {
public:
    enum class NonHtmlPages { Analyse, Skip };
    enum class Progress { Hidden, Shown };

    CliHost(RunModels& models, NonHtmlPages nonHtml, Progress progress);
    ~CliHost() override;

    void ProcessMessages() override;
    bool AskYesNo(const std::string& question) override;
    YesAllNo AskYesAllNo(const std::string& question) override;
    void ShowMessage(const std::string& text) override;
    /// Answers the save dialog with the path of --html FILE; without it, cancels.
    std::string ChooseSaveFile(const SaveRequest& request) override;
    void ResultsFinal() override;
    void RunEnding(const RunOutcome& outcome) override;

    void SetHtmlReportFile(std::string path) { m_htmlReportFile = std::move(path); }
    /// Ctrl-C or SIGTERM (see InterruptSignals) then sets the run's AbortRequested.
    void AbortOnInterrupt(RunState& state) { m_interruptedRun = &state; }
    /// The JSON results are saved while the run makes its report.
    void SaveJsonBesideReport(JsonSave& save) { m_jsonSave = &save; }

private:
    void DrawProgress();
    void ClearProgress();

    RunModels& m_models;
    NonHtmlPages m_nonHtml;
    bool m_showProgress;
    bool m_progressDrawn = false;
    std::chrono::steady_clock::time_point m_lastDraw;
    std::string m_htmlReportFile;
    RunState* m_interruptedRun = nullptr;
    JsonSave* m_jsonSave = nullptr;
};

/// Writes a message on standard error, named as the program's own so that a build log
/// mixing tools shows who wrote it.
void PrintCliMessage(const std::string& text);
