#include "support/ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& workingFolder)
{
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    if (!workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    int spawned = ::posix_spawn(&m_pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    ::close(err[1]);
    m_out = out[0];
    m_err = err[0];
    if (spawned != 0) {
        ::close(m_out);
        ::close(m_err);
        throw std::runtime_error("cannot start " + argv[0]);
    }
}

ChildProcess::~ChildProcess()
{
    // A test that failed half-way must not wait for a program it left waiting.
    if (!m_waited) {
        Signal(SIGKILL);
        Wait();
    }
}

void ChildProcess::Signal(int signal) const
{
    ::kill(m_pid, signal);
}

bool ChildProcess::Running() const
{
    siginfo_t info {};
    return ::waitid(P_PID, id_t(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == 0;
}

ProcessResult ChildProcess::Wait()
{
    m_waited = true;
    ProcessResult result;
    pollfd fds[2] = { { m_out, POLLIN, 0 }, { m_err, POLLIN, 0 } };
    std::string* sinks[2] = { &result.out, &result.err };
    int open = 2;
    while (open > 0) {
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            char buffer[65536];
            ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, std::size_t(n));
                continue;
            }
            ::close(fds[i].fd);
            fds[i].fd = -1;
            --open;
        }
    }
    int status = 0;
    ::waitpid(m_pid, &status, 0);
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}
