#pragma once

#include <string>

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
};
