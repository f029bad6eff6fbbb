#pragma once

#include "platform/XdgFolders.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Opening a link of the link grid in the user's default browser. The window search and
/// the keystrokes are the caller's; this decides what is handed over and how.
namespace BrowserHandOff {

/// Whether "Open URL in browser" is offered for a link: an address written with
/// "http://" or "ftp://" (exact letter case), or any link after an on-line run.
bool CanOpenUrl(std::string_view link, bool onlineMode);

/// The address the browser gets: after an on-line run a relative link is resolved on the
/// base address (a "//host" link takes its scheme); absolute ones go unchanged. Nothing for
/// a script address or, after an on-line run, a bare "#name", which names no page.
std::optional<std::string> AddressToOpen(std::string_view link, bool onlineMode, std::string_view baseHRef);

struct Plan {
    /// The browser's command with the address in place, to start when no window is found.
    std::vector<std::string> commandLine;
    /// The title text of a running browser window to type the address into instead;
    /// empty when the command is simply started.
    std::string windowTitle;
    /// Open-location shortcut, the address pasted, Enter.
    std::string keyString;
};

/// Nothing when the address is refused or no default browser is found (no message).
std::optional<Plan> PlanHandOff(
    std::string_view link, bool onlineMode, std::string_view baseHRef, const XdgFolders& folders);

}
