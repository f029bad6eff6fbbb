#pragma once

#include <string>
#include <vector>

/// TMPDIR for the life of the object.
class TemporaryFolderSetting {
public:
    explicit TemporaryFolderSetting(const std::string& folder);
    ~TemporaryFolderSetting();
    TemporaryFolderSetting(const TemporaryFolderSetting&) = delete;
    TemporaryFolderSetting& operator=(const TemporaryFolderSetting&) = delete;

private:
    std::string m_old;
};

/// The names in the user's private temporary folder inside `system`, the folder TMPDIR
/// names.
std::vector<std::string> PrivateTemporaryEntries(const std::string& system);
