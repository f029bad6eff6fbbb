#pragma once

#include <QObject>
#include <csignal>

class QSocketNotifier;

/// SIGINT and SIGTERM as a request to close, delivered on the window's thread: the
/// handler only writes a byte to a pipe that the event loop watches, so the close runs
/// as ordinary window code (a run in progress is ended first). One instance at a time;
/// the previous handlers come back when it goes.
class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

signals:
    void Requested();

private:
    static void Handle(int signal);
    void Drain();

    int m_pipe[2] = { -1, -1 };
    QSocketNotifier* m_notifier = nullptr;
    struct sigaction m_oldInt { };
    struct sigaction m_oldTerm { };
};
