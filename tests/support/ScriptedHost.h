#pragma once

#include "engine/RunHost.h"
#include "engine/RunState.h"

#include <functional>
#include <string>
#include <vector>

/// A run host for tests: answers every question from its script and records what was
/// asked and shown. `onPump` runs inside ProcessMessages, where a window's Pause and
/// Abort handlers would.
class ScriptedHost : public RunHost {
public:
    bool closingAnswer = true;
    YesAllNo nonHtmlAnswer = YesAllNo::Yes;
    std::function<void(int pumpCount)> onPump;

    std::vector<std::string> questions;
    std::vector<std::string> messages;
    int pumps = 0;
    /// The save dialog's answer: a path, or "" to cancel.
    std::string savePath;
    std::vector<SaveRequest> saveRequests;

    void ProcessMessages() override
    {
        ++pumps;
        if (onPump)
            onPump(pumps);
    }
    bool AskYesNo(const std::string& question) override
    {
        questions.push_back(question);
        return closingAnswer;
    }
    YesAllNo AskYesAllNo(const std::string& question) override
    {
        questions.push_back(question);
        return nonHtmlAnswer;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::string ChooseSaveFile(const SaveRequest& request) override
    {
        saveRequests.push_back(request);
        return savePath;
    }
};
