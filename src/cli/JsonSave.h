#pragma once

#include "engine/AnalyseRun.h"
#include "engine/RunState.h"
#include "report/RunModels.h"

#include <future>
#include <string>
#include <thread>

/// The JSON results saved on a thread of their own while the run makes its report: the
/// rows as soon as every page is checked, the end of the file once the run's outcome is
/// known. A target written in place (standard output, a FIFO) is left to a save after
/// the run, so that its text still follows the report's.
class JsonSave {
public:
    JsonSave(std::string path, const RunModels& models, const RunState& state);
    /// Ends a save whose run never gave its outcome without replacing the file.
    ~JsonSave();
    JsonSave(const JsonSave&) = delete;
    JsonSave& operator=(const JsonSave&) = delete;

    /// Every page is checked: starts the save unless its target is written in place.
    void Begin();
    /// Gives the save the run's outcome and waits for it to end.
    void Finish(const RunOutcome& outcome);
    /// Whether the save was made here; if not, the file is still to be saved.
    bool Made() const { return m_made; }
    /// Why the save failed, or "".
    const std::string& Error() const { return m_error; }

private:
    std::string m_path;
    const RunModels& m_models;
    const RunState& m_state;
    std::promise<std::string> m_end;
    std::thread m_thread;
    bool m_made = false;
    std::string m_error;
};
