#pragma once

#include "engine/ProbeResult.h"
#include "net/THttpCli.h"

#include <functional>
#include <string>

/// One HTTP client that probes an address without blocking: a HEAD, and a GET that stands
/// in for it when the server refuses HEAD, read up to `WebAccess::ProbeBodyLimit` and
/// dropped. Driven by the events of the thread's message queue, so many probes run at
/// once on the one thread; the result is handed to the caller's callback.
class AsyncProbe {
public:
    using Done = std::function<void(ProbeResult)>;
    enum class SuccessHeaders { Record, Skip };

    AsyncProbe(const THttpCli& settings, SuccessHeaders successHeaders);

    /// Precondition: not busy.
    void Start(const std::string& address, Done done);
    bool Busy() const { return static_cast<bool>(m_done); }
    /// Ends the probe under way; its callback is never called.
    void Abort();

private:
    void RequestDone(THttpCli::THttpRequest request);
    void Finish(bool answered);

    THttpCli m_http;
    SuccessHeaders m_successHeaders;
    std::string m_address;
    Done m_done;
    ProbeResult m_result;
    std::chrono::steady_clock::time_point m_start;
};
