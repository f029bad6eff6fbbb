#pragma once

#include <functional>
#include <string>
#include <string_view>

/// Saves a whole file. A new or regular file is written under a temporary name in its
/// folder and renamed over the target, so an interrupted save never leaves half a file or
/// loses the old one; for a symlink to a regular file, the file it points to is replaced
/// and the link kept. A target that exists and is not a regular file (a terminal,
/// /dev/null, a FIFO, or a symlink to one) is written straight into: the user sent the
/// text there, and replacing it would take, say, /dev/stdout away from the whole system.
/// Returns an empty text on success, else a message naming the file and the reason.
std::string WriteFileAtomically(const std::string& path, std::string_view content);

/// Takes each piece of a file's text in order.
using TextSink = std::function<void(std::string_view piece)>;
/// Produces a file's text piece after piece into the sink it is given.
using TextSource = std::function<void(const TextSink& sink)>;
/// The same save for a text too large to hold whole: the pieces are written as they come.
std::string WriteFileAtomically(const std::string& path, const TextSource& text);

/// Whether a save to `path` writes straight into it (a terminal, a FIFO, a device) rather
/// than replacing it.
bool SavedInPlace(const std::string& path);

/// Removes the temporary files of the saves under way, if any. Safe in a signal handler,
/// which is what it is for: a process ended in the middle of a save leaves no stray file.
void RemovePartialSave();
