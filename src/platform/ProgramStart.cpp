#include "platform/ProgramStart.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int StartFailed = 127;

}

bool StartProgram(const std::vector<std::string>& arguments)
{
    if (arguments.empty() || arguments.front().empty())
        return false;
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // The program gets none of our sockets and files, so they close when we do.
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

    // A go-between child starts the program and exits at once, so the program is adopted
    // by init and never lingers as our zombie; its exit status says whether it started.
    pid_t middle = ::fork();
    if (middle == 0) {
        pid_t program = 0;
        int started = posix_spawnp(&program, argv[0], &actions, &attributes, argv.data(), environ);
        ::_exit(started == 0 ? 0 : StartFailed);
    }
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (middle < 0)
        return false;
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
