#include "app/QuitSignals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t WriteEnd = -1;

}

QuitSignals::QuitSignals(QObject* parent)
    : QObject(parent)
{
    if (WriteEnd != -1)
        throw std::logic_error("QuitSignals: one instance at a time");
    // Non-blocking, so a burst of signals can never stall the handler on a full pipe.
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("QuitSignals: no pipe for signals");
    WriteEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::Drain);

    struct sigaction action { };
    action.sa_handler = &QuitSignals::Handle;
    sigemptyset(&action.sa_mask);
    // Restarted calls keep a signal from failing the I/O that was under way.
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &m_oldInt);
    ::sigaction(SIGTERM, &action, &m_oldTerm);
}

QuitSignals::~QuitSignals()
{
    ::sigaction(SIGINT, &m_oldInt, nullptr);
    ::sigaction(SIGTERM, &m_oldTerm, nullptr);
    WriteEnd = -1;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void QuitSignals::Handle(int)
{
    int saved = errno;
    const char byte = 1;
    [[maybe_unused]] ssize_t written = ::write(WriteEnd, &byte, 1);
    errno = saved;
}

void QuitSignals::Drain()
{
    char bytes[64];
    bool any = false;
    while (::read(m_pipe[0], bytes, sizeof bytes) > 0)
        any = true;
    if (any)
        emit Requested();
}
