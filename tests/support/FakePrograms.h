#pragma once

#include "platform/XdgFolders.h"
#include "support/TempSite.h"

#include <string>
#include <vector>

/// XDG folders whose default browser and mail program are one fake program that writes
/// its arguments, one a line, to a file beside itself.
class FakePrograms {
public:
    /// The Exec field codes and arguments after the fake program's path.
    explicit FakePrograms(const std::string& browserExec = "%u", const std::string& mailExec = "%u");

    /// The arguments of the one start, waiting for them up to five seconds.
    std::vector<std::string> Arguments() const;

    XdgFolders folders;

private:
    std::string Entry(const std::string& exec) const;

    TempSite m_site;
};
