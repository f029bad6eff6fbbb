#include "support/TempSite.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

TempSite::TempSite(Files files)
{
    std::string pattern = (fs::temp_directory_path() / "tarvik-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data()))
        throw std::runtime_error("mkdtemp failed");
    m_root = buffer.data();
    for (const auto& [path, content] : files)
        Write(path, content);
}

TempSite::~TempSite()
{
    std::error_code ec;
    fs::permissions(m_root, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_root, ec);
}

void TempSite::Write(const std::string& relativePath, const std::string& content) const
{
    fs::path path = fs::path(m_root) / relativePath;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

std::string TempSite::Read(const std::string& relativePath) const
{
    std::ifstream in(fs::path(m_root) / relativePath, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}
