#include "XvfbSession.h"

#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

bool OnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    for (std::size_t start = 0; start <= folders.size();) {
        std::size_t end = std::min(folders.find(':', start), folders.size());
        if (::access((folders.substr(start, end - start) + "/" + program).c_str(), X_OK) == 0)
            return true;
        start = end + 1;
    }
    return false;
}

pid_t SpawnWith(const std::vector<std::string>& arguments, posix_spawn_file_actions_t* actions)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawnp(&pid, argv[0], actions, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

// The window manager is in charge once it frames a window of ours; until then the probe
// is mapped again, as a map done while the manager was starting may go unnoticed.
bool WindowManagerFrames(Display* display, Window probe)
{
    Window root = None, parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, probe, &root, &parent, &children, &count) && children)
        XFree(children);
    if (parent != root)
        return true;
    XUnmapWindow(display, probe);
    XMapWindow(display, probe);
    XSync(display, False);
    return false;
}

bool WaitFor(const std::function<bool()>& ready)
{
    for (int i = 0; i < 500; ++i) {
        if (ready())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

}

std::unique_ptr<XvfbSession> XvfbSession::Start(std::string& whyNot)
{
    for (const char* program : { "Xvfb", "openbox" }) {
        if (!OnPath(program)) {
            whyNot = std::string(program) + " is not installed (scripts/setup installs it)";
            return nullptr;
        }
    }
    std::unique_ptr<XvfbSession> session(new XvfbSession);
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        whyNot = "no pipe for Xvfb's display number";
        return nullptr;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    // Nothing of the session may hold the test runner's output open after the test.
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t server = SpawnWith({ "Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-nolisten", "tcp",
                                 "-screen", "0", "640x480x24" },
        &actions);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    std::string number;
    char c = 0;
    while (server > 0 && ::read(pipeFds[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(pipeFds[0]);
    if (server > 0)
        session->m_children.push_back(server);
    if (number.empty()) {
        whyNot = "Xvfb did not start";
        return nullptr;
    }
    const char* previous = std::getenv("DISPLAY");
    session->m_hadDisplay = previous != nullptr;
    session->m_previousDisplay = previous ? previous : "";
    ::setenv("DISPLAY", (":" + number).c_str(), 1);

    session->Spawn({ "openbox", "--sm-disable" });
    Display* display = XOpenDisplay(nullptr);
    bool managed = false;
    if (display) {
        Window probe = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
        managed = WaitFor([display, probe] { return WindowManagerFrames(display, probe); });
        XDestroyWindow(display, probe);
        XCloseDisplay(display);
    }
    if (!managed) {
        whyNot = "openbox did not take the display";
        return nullptr;
    }
    return session;
}

XvfbSession::~XvfbSession()
{
    for (auto child = m_children.rbegin(); child != m_children.rend(); ++child) {
        ::kill(*child, SIGTERM);
        ::waitpid(*child, nullptr, 0);
    }
    if (m_hadDisplay)
        ::setenv("DISPLAY", m_previousDisplay.c_str(), 1);
    else
        ::unsetenv("DISPLAY");
}

pid_t XvfbSession::Spawn(const std::vector<std::string>& arguments)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = SpawnWith(arguments, &actions);
    posix_spawn_file_actions_destroy(&actions);
    if (pid > 0)
        m_children.push_back(pid);
    return pid;
}
