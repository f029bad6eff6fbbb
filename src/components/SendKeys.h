#pragma once

#include "components/KeyString.h"
#include "platform/X11Desktop.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

/// Where a paste segment's text goes before Ctrl+V; the GUI implements it on the
/// system clipboard.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void SetText(const std::string& text) = 0;
    /// Called once Ctrl+V has been played. A clipboard whose owner hands the text over on
    /// request (the X11 selections) answers the paste here, before more keys reach the
    /// window: an Enter played after the paste must find the text in place.
    virtual void AwaitPaste() { }
};

/// Types a key string into whatever window has the keyboard focus, one XTest event per
/// step, and returns once the X server has them. The whole string is parsed first; a
/// parse error sends nothing. Without an X display the result is NoPlayback.
KeyStringResult SendKeyString(std::string_view keys);
KeyStringResult SendKeyString(X11Desktop& desktop, std::string_view keys);

/// The first window that `matches`, searched from beside the active window towards the
/// top of the window order, then towards the bottom; the active window is not examined.
std::optional<X11Desktop::WindowId> SearchBesideActive(
    const X11Desktop& desktop, const std::function<bool(X11Desktop::WindowId)>& matches);

/// A shown window whose non-empty title holds `text` (exact letter case), searched from
/// beside the active window up, then down; the active window itself is not examined.
std::optional<X11Desktop::WindowId> FindWindowByTitle(const X11Desktop& desktop, std::string_view text);

/// Plays keys into the focused window, "{p}...{/p}" segments going through the clipboard
/// (cut at `clipboardCapacity`) and Ctrl+V. Parse errors of the pieces are not reported.
void PlayWithPaste(
    X11Desktop& desktop, std::string_view keys, Clipboard& clipboard, std::size_t clipboardCapacity);

/// Brings the window forward and plays the keys into it, with "{p}...{/p}" segments
/// pasted from the clipboard. False, with nothing sent, when it cannot be brought forward.
bool SendKeysWithPaste(
    X11Desktop& desktop, X11Desktop::WindowId window, std::string_view keys, Clipboard& clipboard);
