#pragma once

#include "engine/RunHost.h"
#include "engine/RunOptions.h"
#include "engine/RunState.h"
#include "net/THttpCli.h"

#include <chrono>
#include <string>

/// The run's use of the HTTP client: HEAD probes that decide whether an address is
/// reachable, GET downloads of pages into memory, and the record of received headers.
/// While a request waits it keeps the front end alive through the host, and stops the
/// request when the user aborts the run.
class WebAccess {
public:
    WebAccess(THttpCli& http, RunState& state, RunHost& host, const RunOptions& options);
    ~WebAccess();
    WebAccess(const WebAccess&) = delete;
    WebAccess& operator=(const WebAccess&) = delete;

    /// Bytes of a body read by a GET that stands in for a refused HEAD.
    static constexpr std::size_t ProbeBodyLimit = 64 * 1024;

    /// True when the address answered without an HTTP error. A server that refuses HEAD
    /// ("405" or "501") is asked again with GET, whose body is read up to
    /// `ProbeBodyLimit` and discarded. A failure that may pass is asked again after a wait
    /// (see ProbeRetry).
    bool ProbeUrl(const std::string& address);
    /// The body of the address; false on an HTTP error, a transport failure or no body.
    bool DownloadPage(const std::string& address, std::string& text);

    int StatusCode() const { return m_http.StatusCode(); }
    /// The failure reason as the run reports it: "Page not found" for any "Not Found".
    std::string Reason() const { return ReasonFor(m_http.ReasonPhrase()); }
    static std::string ReasonFor(const std::string& reasonPhrase);

private:
    enum class Method { Head, Get };
    bool Request(const std::string& address, Method method);
    /// A probe's request: a GET reads its body only up to `ProbeBodyLimit`.
    bool Ask(const std::string& address, Method method);
    /// Waits, keeping the front end alive; false when the user aborts meanwhile.
    bool Sleep(std::chrono::milliseconds delay);
    void Pump();

    THttpCli& m_http;
    RunState& m_state;
    RunHost& m_host;
    const RunOptions& m_options;
    bool m_abortSent = false;
};
