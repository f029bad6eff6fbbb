#pragma once

#include <optional>
#include <string>
#include <string_view>

/// Address texts as the hand-off to other programs sees them.
namespace AddressText {

/// The scheme of an absolute address ("http" of "http://x"), empty for a relative one.
std::string_view SchemeOf(std::string_view address);

/// Whether a browser would run the address as a script; leading blanks and control
/// characters, which browsers skip, do not hide the scheme.
bool IsScript(std::string_view address);

enum class DashForm { LocalPath, Refused };

/// An address that begins with "-" would be read as an option by the program it is handed
/// to: as a local path it becomes "./" + address, otherwise it is refused.
std::optional<std::string> AsArgument(std::string address, DashForm dashForm);

}
