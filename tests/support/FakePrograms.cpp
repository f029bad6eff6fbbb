#include "support/FakePrograms.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

FakePrograms::FakePrograms(const std::string& browserExec, const std::string& mailExec)
{
    m_site.Write("bin/fake",
        "#!/bin/sh\nout=\"$(dirname \"$0\")/args\"\n"
        "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$out.tmp\" && mv \"$out.tmp\" \"$out\"\n");
    std::filesystem::permissions(m_site.Root() + "/bin/fake", std::filesystem::perms::owner_all);
    m_site.Write("config/mimeapps.list",
        "[Default Applications]\nx-scheme-handler/http=browser.desktop\n"
        "x-scheme-handler/mailto=mail.desktop\n");
    m_site.Write("data/applications/browser.desktop", Entry(browserExec));
    m_site.Write("data/applications/mail.desktop", Entry(mailExec));
    folders.configHome = m_site.Root() + "/config";
    folders.dataHome = m_site.Root() + "/data";
}

std::vector<std::string> FakePrograms::Arguments() const
{
    std::string path = m_site.Root() + "/bin/args";
    for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string FakePrograms::Entry(const std::string& exec) const
{
    return "[Desktop Entry]\nType=Application\nExec=\"" + m_site.Root() + "/bin/fake\" " + exec + "\n";
}
