#include "cli/InterruptSignals.h"

#include "platform/AtomicFile.h"

#include <cerrno>
#include <csignal>

namespace InterruptSignals {

namespace {

volatile std::sig_atomic_t g_received = 0;

void OnSignal(int signal)
{
    if (g_received == 0) {
        g_received = signal;
        return;
    }
    int savedErrno = errno;
    RemovePartialSave();
    // Ends by the signal itself, so the parent sees what ended it; it is delivered as
    // soon as this handler returns.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    errno = savedErrno;
}

}

void Install()
{
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // Writes of the report carry on across the signal; a wait for the network (poll) is
    // never restarted, so it still wakes up to see the request.
    action.sa_flags = SA_RESTART;
    for (int signal : { SIGINT, SIGTERM })
        ::sigaction(signal, &action, nullptr);
}

int Received() { return g_received; }

}
