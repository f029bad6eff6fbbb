#pragma once

#include <string>
#include <vector>

/// Turns a resource script into a Windows executable with Debian's mingw-w64 binutils:
/// x86_64-w64-mingw32-windres compiles it (with the host's cpp as preprocessor) and the
/// mingw ld links the result into a PE image with nothing but the resource.
namespace MingwResource {

enum class Bits { Pe32, Pe32Plus };

/// Returns an empty text on success, else what went wrong (the tools' own output).
std::string BuildExecutable(const std::string& script, const std::string& executable, Bits bits);

/// Runs a program with arguments (no shell); an empty text on exit status 0, else its
/// standard output and error.
std::string Run(const std::vector<std::string>& argv);

}
