#include "components/TGeneralRoutines.h"

#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

// Asked of the folder itself rather than by changing into it, which would move the
// current folder of every thread for a moment.
bool TGeneralRoutines::DirectoryExists(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

char TGeneralRoutines::GetLastChar(std::string_view text)
{
    if (text.empty())
        throw std::out_of_range("GetLastChar of an empty text");
    return text.back();
}

char TGeneralRoutines::LastChar(std::string_view text)
{
    return GetLastChar(text);
}

std::string TGeneralRoutines::AddDirSlash(std::string_view path)
{
    std::string result(path);
    if (GetLastChar(path) != '/')
        result += '/';
    return result;
}
