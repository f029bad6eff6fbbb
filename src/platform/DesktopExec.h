#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// The "Exec" command of a ".desktop" file as an argument vector, and its expansion for
/// one address. The command is never handed to a shell: quoting is undone here, so an
/// address from a page always stays one argument.
namespace DesktopExec {

/// Splits an already unescaped Exec value at blanks; double quotes group, and inside them
/// a backslash escapes '"', '`', '$' and '\'. Nothing for an unclosed quote or an empty
/// command.
std::optional<std::vector<std::string>> Split(std::string_view exec);

/// The first of the field codes %u, %U, %f, %F becomes the address; without any, the
/// address is appended as an argument of its own. "%%" is a percent sign; every other
/// field code is removed, and an argument that was only a removed field code is dropped.
std::vector<std::string> Expand(const std::vector<std::string>& command, std::string_view address);

}
