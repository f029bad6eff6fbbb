#include "components/ComponentHost.h"

#include <climits>
#include <iostream>
#include <unistd.h>

std::string ComponentHost::ExecutableName() const
{
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path);
    if (n <= 0)
        return {};
    const std::string full(path, static_cast<std::size_t>(n));
    return full.substr(full.rfind('/') + 1);
}

void ComponentHost::ShowMessage(const std::string& text)
{
    std::cerr << text << '\n';
}

ComponentHost& ComponentHost::Default()
{
    static ComponentHost host;
    return host;
}
