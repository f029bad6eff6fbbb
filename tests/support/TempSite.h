#pragma once

#include <string>
#include <utility>
#include <initializer_list>

/// A folder of files made for one test and removed with everything in it afterwards.
class TempSite {
public:
    using Files = std::initializer_list<std::pair<std::string, std::string>>;

    explicit TempSite(Files files = {});
    ~TempSite();
    TempSite(const TempSite&) = delete;
    TempSite& operator=(const TempSite&) = delete;

    /// Absolute path, without a trailing "/".
    const std::string& Root() const { return m_root; }
    void Write(const std::string& relativePath, const std::string& content) const;
    std::string Read(const std::string& relativePath) const;

private:
    std::string m_root;
};
