#include "platform/DefaultPrograms.h"

#include "platform/DesktopExec.h"
#include "platform/XdgKeyFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Association files are small; a larger one is not a configuration file.
constexpr off_t MaxFileSize = 1 << 20;

std::optional<std::string> ReadConfigFile(const std::string& path)
{
    // Non-blocking, so that a FIFO planted under a configuration name cannot hang us.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat info { };
    std::optional<std::string> content;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= MaxFileSize) {
        content.emplace();
        char buffer[8192];
        for (;;) {
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                content.reset();
            if (n <= 0)
                break;
            content->append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return content;
}

std::vector<std::string> MimeAppsLists(const XdgFolders& folders)
{
    std::vector<std::string> bases;
    if (!folders.configHome.empty())
        bases.push_back(folders.configHome);
    bases.insert(bases.end(), folders.configDirs.begin(), folders.configDirs.end());
    if (!folders.dataHome.empty())
        bases.push_back(folders.dataHome + "/applications");
    for (const std::string& dir : folders.dataDirs)
        bases.push_back(dir + "/applications");
    std::vector<std::string> files;
    for (const std::string& base : bases) {
        for (const std::string& desktop : folders.desktops)
            files.push_back(base + "/" + desktop + "-mimeapps.list");
        files.push_back(base + "/mimeapps.list");
    }
    return files;
}

std::vector<std::string> ApplicationFolders(const XdgFolders& folders)
{
    std::vector<std::string> dirs;
    if (!folders.dataHome.empty())
        dirs.push_back(folders.dataHome + "/applications");
    for (const std::string& dir : folders.dataDirs)
        dirs.push_back(dir + "/applications");
    return dirs;
}

// A desktop file ID names a file inside an applications folder, never a path.
bool IsDesktopId(const std::string& id)
{
    return !id.empty() && id.front() != '.' && id.find('/') == std::string::npos;
}

class Resolver {
public:
    explicit Resolver(const XdgFolders& folders)
        : m_folders(folders)
    {
    }

    std::optional<std::vector<std::string>> Command(const std::string& mimeType)
    {
        std::vector<XdgKeyFile> lists;
        for (const std::string& path : MimeAppsLists(m_folders)) {
            if (std::optional<std::string> text = ReadConfigFile(path))
                lists.push_back(XdgKeyFile::Parse(*text));
        }
        for (const XdgKeyFile& list : lists) {
            if (auto command = FirstInstalled(list, "Default Applications", mimeType))
                return command;
        }
        for (const XdgKeyFile& list : lists) {
            // A removal hides the application here and in the lists of lower precedence.
            if (std::optional<std::string_view> removed = list.Value("Removed Associations", mimeType)) {
                for (std::string& id : XdgKeyFile::List(*removed))
                    m_removed.push_back(std::move(id));
            }
            if (auto command = FirstInstalled(list, "Added Associations", mimeType))
                return command;
        }
        for (const std::string& dir : ApplicationFolders(m_folders)) {
            if (std::optional<std::string> text = ReadConfigFile(dir + "/mimeinfo.cache")) {
                if (auto command = FirstInstalled(XdgKeyFile::Parse(*text), "MIME Cache", mimeType))
                    return command;
            }
        }
        return std::nullopt;
    }

private:
    std::optional<std::vector<std::string>> FirstInstalled(
        const XdgKeyFile& list, std::string_view group, const std::string& mimeType)
    {
        std::optional<std::string_view> value = list.Value(group, mimeType);
        if (!value)
            return std::nullopt;
        for (const std::string& id : XdgKeyFile::List(*value)) {
            if (std::find(m_removed.begin(), m_removed.end(), id) != m_removed.end())
                continue;
            if (auto command = InstalledCommand(id))
                return command;
        }
        return std::nullopt;
    }

    // The first applications folder holding the ID decides, even when that file is
    // hidden: a user's copy masks the system's.
    std::optional<std::vector<std::string>> InstalledCommand(const std::string& id) const
    {
        if (!IsDesktopId(id))
            return std::nullopt;
        for (const std::string& dir : ApplicationFolders(m_folders)) {
            std::optional<std::string> text = ReadConfigFile(dir + "/" + id);
            if (!text)
                continue;
            XdgKeyFile entry = XdgKeyFile::Parse(*text);
            constexpr std::string_view group = "Desktop Entry";
            if (entry.Value(group, "Hidden") == "true" || entry.Value(group, "Type") != "Application")
                return std::nullopt;
            std::optional<std::string_view> exec = entry.Value(group, "Exec");
            if (!exec)
                return std::nullopt;
            return DesktopExec::Split(XdgKeyFile::Unescape(*exec));
        }
        return std::nullopt;
    }

    const XdgFolders& m_folders;
    std::vector<std::string> m_removed;
};

}

std::optional<std::vector<std::string>> DefaultPrograms::Command(
    DefaultProgram program, const XdgFolders& folders)
{
    Resolver resolver(folders);
    switch (program) {
    case DefaultProgram::Browser:
        if (auto command = resolver.Command("x-scheme-handler/http"))
            return command;
        return resolver.Command("text/html");
    case DefaultProgram::Mail:
        return resolver.Command("x-scheme-handler/mailto");
    }
    return std::nullopt;
}
