#pragma once

#include <chrono>
#include <ctime>
#include <optional>
#include <string>
#include <unordered_map>

/// External results kept in a file between runs: per address the result text, the
/// status and when it was checked (seconds since 1970, UTC). A run takes an "OK" younger
/// than its maximum age instead of probing; a failure is always probed again. The file
/// is one text line per address under a heading line that names its format; it is read
/// whole at the start and replaced whole at the end.
class RememberedResults {
public:
    struct Entry {
        std::string result;
        int status = 0;
        std::time_t checked = 0;
    };

    /// Reads `text` as the file holds it; false, with nothing taken, when it is not such a
    /// file (damaged, or another program's).
    bool Read(const std::string& text);
    /// The file's text for everything remembered.
    std::string Text() const;

    /// Whether `address` was found "OK" at most `maxAge` before `now`.
    bool FreshOk(const std::string& address, std::time_t now, std::chrono::seconds maxAge) const;
    void Remember(const std::string& address, Entry entry);

private:
    std::unordered_map<std::string, Entry> m_entries;
};

/// "1d", "12h", "30m", "90s": a maximum age; nothing when the text is not one.
std::optional<std::chrono::seconds> ParseMaxAge(const std::string& text);
