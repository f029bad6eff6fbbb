#pragma once

#include <string>

struct RunOutcome;

/// What a run asks of the front end that shows it. The run writes its results only into
/// the models of RunModels and asks everything else here; the desktop window answers
/// with dialogs, the command line with its options, the tests with a script.
class RunHost {
public:
    enum class YesAllNo { Yes, YesToAll, No };

    virtual ~RunHost() = default;

    /// Lets pending window events and network notifications run. Pause and Abort act in
    /// here, by setting the run's flags.
    virtual void ProcessMessages() = 0;
    /// A Yes/No question titled "Tarvik".
    virtual bool AskYesNo(const std::string& question) = 0;
    virtual YesAllNo AskYesAllNo(const std::string& question) = 0;
    /// A message box; its text may hold CR LF line breaks.
    virtual void ShowMessage(const std::string& text) = 0;

    struct SaveRequest {
        std::string fileName;
        std::string extension;
        std::string title;
        std::string folder;
    };
    /// The save dialog, proposing `fileName` in `folder`. Returns the chosen path, or ""
    /// when the user cancels; a host without a save dialog cancels.
    virtual std::string ChooseSaveFile(const SaveRequest&) { return {}; }

    /// Every page is checked: the grids and the places of the references stay as they
    /// are until RunEnding, so a host may read them on a thread of its own while the run
    /// makes its report.
    virtual void ResultsFinal() {}
    /// The run's outcome is known. Once this returns the run trims its grids and clears
    /// its lists, so work begun at ResultsFinal has to end here.
    virtual void RunEnding(const RunOutcome&) {}
};
