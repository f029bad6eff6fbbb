#pragma once

#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

/// A private X server (Xvfb) with an EWMH window manager (openbox) for the tests that
/// need real windows. DISPLAY points at it while the session lives; the programs it
/// started are ended with it.
class XvfbSession {
public:
    /// Nothing, with the reason, when Xvfb or openbox is missing or does not start.
    static std::unique_ptr<XvfbSession> Start(std::string& whyNot);
    ~XvfbSession();

    /// Starts a program on the session's display; ended with the session.
    pid_t Spawn(const std::vector<std::string>& arguments);

private:
    XvfbSession() = default;
    std::vector<pid_t> m_children;
    std::string m_previousDisplay;
    bool m_hadDisplay = false;
};
