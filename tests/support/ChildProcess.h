#pragma once

#include "support/Process.h"

#include <string>
#include <sys/types.h>
#include <vector>

/// A program started without a shell, with standard input closed, that runs on while the
/// test acts on it (sends it signals, for instance); Wait keeps what it wrote.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& argv, const std::string& workingFolder = {});
    /// Ends the program, when not waited for yet.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void Signal(int signal) const;
    /// True while the program has not ended; it is not reaped.
    bool Running() const;
    /// Reads its output to the end and waits for it to end.
    ProcessResult Wait();

private:
    pid_t m_pid = -1;
    int m_out = -1;
    int m_err = -1;
    bool m_waited = false;
};
