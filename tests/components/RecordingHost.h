#pragma once

#include "components/CaptionLabel.h"
#include "components/ComponentHost.h"

#include <string>
#include <vector>

/// A host that claims to be a given program and keeps the messages it is asked to show.
class RecordingHost : public ComponentHost {
public:
    explicit RecordingHost(std::string executableName = "components_tests")
        : m_executableName(std::move(executableName))
    {
    }
    std::string ExecutableName() const override { return m_executableName; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    std::vector<std::string> messages;

private:
    std::string m_executableName;
};

class RecordingLabel : public CaptionLabel {
public:
    void SetCaption(const std::string& text) override { caption = text; }
    std::string caption;
};
