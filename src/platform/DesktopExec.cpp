#include "platform/DesktopExec.h"

namespace {

bool TakesAddress(char code)
{
    return code == 'u' || code == 'U' || code == 'f' || code == 'F';
}

}

std::optional<std::vector<std::string>> DesktopExec::Split(std::string_view exec)
{
    std::vector<std::string> arguments;
    std::string argument;
    bool inArgument = false;
    bool quoted = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        char c = exec[i];
        if (quoted) {
            if (c == '"') {
                quoted = false;
            } else if (c == '\\' && i + 1 < exec.size()
                && std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos) {
                argument += exec[++i];
            } else {
                argument += c;
            }
        } else if (c == ' ' || c == '\t' || c == '\n') {
            if (inArgument)
                arguments.push_back(std::move(argument));
            argument.clear();
            inArgument = false;
        } else if (c == '"') {
            quoted = true;
            inArgument = true;
        } else {
            argument += c;
            inArgument = true;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inArgument)
        arguments.push_back(std::move(argument));
    if (arguments.empty() || arguments.front().empty())
        return std::nullopt;
    return arguments;
}

std::vector<std::string> DesktopExec::Expand(
    const std::vector<std::string>& command, std::string_view address)
{
    std::vector<std::string> arguments;
    bool placed = false;
    for (const std::string& part : command) {
        std::string argument;
        bool hadCode = false;
        for (std::size_t i = 0; i < part.size(); ++i) {
            if (part[i] != '%' || i + 1 == part.size()) {
                argument += part[i];
                continue;
            }
            char code = part[++i];
            if (code == '%') {
                argument += '%';
                continue;
            }
            hadCode = true;
            if (TakesAddress(code) && !placed) {
                argument += address;
                placed = true;
            }
        }
        if (!argument.empty() || !hadCode)
            arguments.push_back(std::move(argument));
    }
    if (!placed)
        arguments.emplace_back(address);
    return arguments;
}
