#include "platform/XdgFolders.h"

#include "platform/CaseFold.h"

#include <cstdlib>
#include <string_view>

namespace {

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::vector<std::string> Split(std::string_view text, char separator, bool absoluteOnly)
{
    std::vector<std::string> parts;
    while (!text.empty()) {
        std::size_t end = text.find(separator);
        std::string_view part = text.substr(0, end);
        while (part.size() > 1 && part.back() == '/')
            part.remove_suffix(1);
        if (!part.empty() && (!absoluteOnly || part.front() == '/'))
            parts.emplace_back(part);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return parts;
}

std::string Home(const char* name, const std::string& home, const char* fallback)
{
    std::vector<std::string> set = Split(Variable(name), ':', true);
    if (set.size() == 1)
        return set.front();
    return home.empty() ? std::string() : home + fallback;
}

std::vector<std::string> Dirs(const char* name, std::string_view fallback)
{
    std::vector<std::string> set = Split(Variable(name), ':', true);
    return set.empty() ? Split(fallback, ':', true) : set;
}

}

XdgFolders XdgFolders::FromEnvironment()
{
    XdgFolders folders;
    std::string home = Variable("HOME");
    folders.configHome = Home("XDG_CONFIG_HOME", home, "/.config");
    folders.configDirs = Dirs("XDG_CONFIG_DIRS", "/etc/xdg");
    folders.dataHome = Home("XDG_DATA_HOME", home, "/.local/share");
    folders.dataDirs = Dirs("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
    for (std::string& desktop : Split(Variable("XDG_CURRENT_DESKTOP"), ':', false))
        folders.desktops.push_back(CaseFold::LowerCase(desktop));
    return folders;
}
