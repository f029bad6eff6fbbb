#pragma once

#include "engine/ProbeResult.h"
#include "engine/RunOptions.h"
#include "net/THttpCli.h"
#include "platform/MessageQueue.h"

#include <functional>
#include <string>

/// One HTTP client that probes an address without blocking: a HEAD, and a GET that stands
/// in for it when the server refuses HEAD, read up to `WebAccess::ProbeBodyLimit` and
/// dropped. Driven by the events of the thread's message queue, so many probes run at
/// once on the one thread; the result is handed to the caller's callback. A failure that
/// may pass is asked again after a wait (see ProbeRetry), as often as the run allows.
class AsyncProbe {
public:
    using Done = std::function<void(ProbeResult)>;

    /// `options` outlive the probe.
    AsyncProbe(const THttpCli& settings, const RunOptions& options);
    ~AsyncProbe();
    AsyncProbe(const AsyncProbe&) = delete;
    AsyncProbe& operator=(const AsyncProbe&) = delete;

    /// Precondition: not busy.
    void Start(const std::string& address, Done done);
    bool Busy() const { return static_cast<bool>(m_done); }
    /// Ends the probe under way; its callback is never called.
    void Abort();

private:
    void RequestDone(THttpCli::THttpRequest request);
    /// True when the request is asked again later.
    bool RetryLater(THttpCli::THttpRequest request);
    void Finish(bool answered);
    void StopWaiting();

    THttpCli m_http;
    const RunOptions& m_options;
    int m_retriesLeft = 0;
    MessageQueue::Id m_retryTimer = 0;
    std::string m_address;
    Done m_done;
    ProbeResult m_result;
    std::chrono::steady_clock::time_point m_start;
};
