#pragma once

#include "components/ComponentHost.h"
#include "components/SendKeys.h"
#include "components/SendKeysTarget.h"

#include <functional>
#include <optional>
#include <string>

/// The keystroke sender component: finds its target window (the desktop, the active
/// window, a window of a class, or one whose title matches), optionally starts a program
/// when there is none, brings the target forward and types `KeyStrokes` into it, pasting
/// "{p}...{/p}" segments through the clipboard. Runs on the caller's thread and blocks
/// while it searches and types.
class TORBSendKeys : public SendKeysTarget {
public:
    using NotifyEvent = std::function<void(TORBSendKeys&)>;
    static constexpr std::size_t PasteCapacity = 799;

    std::string KeyStrokes;
    bool ShowErrors = false;
    /// Split like a desktop entry's command and started without a shell.
    std::string CommandLine;
    NotifyEvent OnNotFound;
    NotifyEvent OnBeforeSend;
    NotifyEvent OnAfterSend;
    /// How long, in milliseconds, the search is repeated while the target is missing.
    int TryTime = 0;

    /// The target of the last Execute (or the window active after a launch) and its title.
    std::optional<X11Desktop::WindowId> TargetHandle;
    std::string TargetWindowTitle;

    /// True when the keys were sent.
    bool Execute(X11Desktop& desktop, ComponentHost& host, Clipboard& clipboard);

private:
    std::optional<X11Desktop::WindowId> Search(const X11Desktop& desktop) const;
    void Notify(const NotifyEvent& event);
};
