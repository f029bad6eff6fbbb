#pragma once

#include "engine/RunHost.h"

#include <chrono>
#include <functional>

class QWidget;

/// The run's host in the desktop window. The run stays on the window's thread; each
/// ProcessMessages dispatches the window's events, but at most once every PumpInterval,
/// and lets the views catch up with the models at most once every ShowInterval, so a run
/// of many small checks is not slowed by repainting. Questions are message boxes titled
/// "Tarvik" over the window; the views are brought up to date before each is shown.
class WindowHost : public RunHost {
public:
    static constexpr std::chrono::milliseconds PumpInterval { 15 };
    static constexpr std::chrono::milliseconds ShowInterval { 100 };

    /// `showModels` brings the views up to date with what the run wrote.
    WindowHost(QWidget* window, std::function<void()> showModels);

    void ProcessMessages() override;
    bool AskYesNo(const std::string& question) override;
    YesAllNo AskYesAllNo(const std::string& question) override;
    void ShowMessage(const std::string& text) override;
    std::string ChooseSaveFile(const SaveRequest& request) override;

    /// While the window is closing, the run's closing question is answered No unasked:
    /// nothing more is written by a run that is being ended.
    void SetClosing(bool closing) { m_closing = closing; }

private:
    QWidget* m_window;
    std::function<void()> m_showModels;
    std::chrono::steady_clock::time_point m_lastPump;
    std::chrono::steady_clock::time_point m_lastShow;
    bool m_closing = false;
};
