#include "net/DocName.h"

#include "platform/CaseFold.h"

namespace {

constexpr std::string_view Fallback = "document.htm";
constexpr std::size_t MaxName = 255;

}

std::string DocNameOf(std::string_view path)
{
    path = path.substr(0, path.find('?'));
    if (!path.empty() && path.back() == '/')
        path.remove_suffix(1);
    if (const auto slash = path.find_last_of("/\\"); slash != std::string_view::npos)
        path.remove_prefix(slash + 1);
    path = path.substr(0, MaxName);
    if (path.empty() || path == "." || path == ".." || path.find('\0') != std::string_view::npos)
        return std::string(Fallback);
    return std::string(path);
}

std::string DocNameForType(std::string docName, std::string_view contentType)
{
    const auto dot = docName.rfind('.');
    if (contentType == "text/html" && dot != std::string::npos
        && CaseFold::EqualIgnoringCase(std::string_view(docName).substr(dot), ".exe"))
        docName.replace(dot, std::string::npos, ".htm");
    return docName;
}
