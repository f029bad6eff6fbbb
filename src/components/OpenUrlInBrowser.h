#pragma once

#include "components/SendKeys.h"
#include "platform/XdgFolders.h"

#include <string_view>

/// Opens a link of the link grid in the default browser: typed into a running browser
/// window the browser's command names (by its title), else by starting the command with
/// the address. A refused address or a missing browser does nothing, silently; so does
/// a window that cannot be brought forward.
void OpenUrlInBrowser(std::string_view link, bool onlineMode, std::string_view baseHRef,
    const XdgFolders& folders, Clipboard& clipboard);
