#include "support/PrivateTemporary.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

TemporaryFolderSetting::TemporaryFolderSetting(const std::string& folder)
{
    if (const char* old = std::getenv("TMPDIR"))
        m_old = old;
    ::setenv("TMPDIR", folder.c_str(), 1);
}

TemporaryFolderSetting::~TemporaryFolderSetting()
{
    if (m_old.empty())
        ::unsetenv("TMPDIR");
    else
        ::setenv("TMPDIR", m_old.c_str(), 1);
}

std::vector<std::string> PrivateTemporaryEntries(const std::string& system)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry :
        std::filesystem::directory_iterator(system + "/tarvik-" + std::to_string(::geteuid()), error))
        names.push_back(entry.path().filename().string());
    return names;
}
