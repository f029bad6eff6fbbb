#pragma once

#include "platform/DefaultPrograms.h"

#include <string_view>

enum class StartResult { Started, NotFound, Refused, NotStarted };

/// Starts the default browser or mail program with one address in the place its command
/// names. A browser address beginning with "-" is passed as "./" + address; a mail address
/// beginning with "-" is refused.
StartResult StartDefaultProgram(DefaultProgram program, std::string_view address, const XdgFolders& folders);
