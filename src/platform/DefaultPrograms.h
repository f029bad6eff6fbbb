#pragma once

#include "platform/XdgFolders.h"

#include <optional>
#include <string>
#include <vector>

enum class DefaultProgram { Browser, Mail };

/// Finds the user's default browser or mail program from the XDG associations: the
/// handler of "x-scheme-handler/http" (else "text/html") or of "x-scheme-handler/mailto",
/// looked up in the "mimeapps.list" files (desktop-specific ones first, user before
/// system), then in the "mimeinfo.cache" files, and read from the named application's
/// ".desktop" file. Only files are read; nothing is run.
namespace DefaultPrograms {

/// The program's command as an argument vector with its field codes still in place, or
/// nothing when no installed application handles the type.
std::optional<std::vector<std::string>> Command(DefaultProgram program, const XdgFolders& folders);

}
