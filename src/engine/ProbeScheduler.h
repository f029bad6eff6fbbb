#pragma once

#include "engine/AsyncProbe.h"
#include "engine/ProbeResult.h"
#include "engine/RunHost.h"
#include "engine/RunState.h"
#include "engine/UnresponsiveHosts.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

/// Probes external addresses ahead of the check that needs them: up to `Probes.jobs`
/// at once, at most `Probes.perHost` to one host and port, on the thread's one message
/// queue, in the order they were asked for. A host that stops answering is given up (see
/// UnresponsiveHosts). `Await` hands out the result of an address, probing it at once when
/// nobody asked ahead, and keeps the front end alive meanwhile; Abort ends every probe in
/// flight. Owned by one run.
class ProbeScheduler {
public:
    /// `options` outlive the scheduler; it uses their probe limits and retry rules.
    ProbeScheduler(const THttpCli& settings, const RunOptions& options, RunState& state, RunHost& host);
    ~ProbeScheduler();
    ProbeScheduler(const ProbeScheduler&) = delete;
    ProbeScheduler& operator=(const ProbeScheduler&) = delete;

    /// Queues a probe of `address`; each call is one probe, for one later `Await`.
    void StartAhead(const std::string& address);
    /// The result of the oldest probe of `address` asked for and not yet handed out.
    ProbeResult Await(const std::string& address);

private:
    struct Probe {
        std::string address;
        std::string hostKey;
        bool started = false;
        bool done = false;
        ProbeResult result;
        /// The client probing it while started and not done.
        AsyncProbe* client = nullptr;
    };

    std::shared_ptr<Probe> Queue(const std::string& address);
    void Launch();
    AsyncProbe* IdleClient();
    /// Probes of the host that may be in flight at once.
    std::size_t ShareOf(const std::string& hostKey) const;
    void AbortAll();
    /// Ends one probe as aborted on request; the others go on.
    void GiveUp(const std::shared_ptr<Probe>& probe);
    /// Settles a probe of a host no longer asked.
    void Skip(Probe& probe);
    void SkipWaiting(const std::string& hostKey);

    const THttpCli& m_settings;
    const RunOptions& m_options;
    std::size_t m_jobs;
    std::size_t m_perHost;
    RunState& m_state;
    RunHost& m_host;
    std::vector<std::unique_ptr<AsyncProbe>> m_clients;
    std::unordered_map<std::string, std::deque<std::shared_ptr<Probe>>> m_byAddress;
    std::deque<std::shared_ptr<Probe>> m_waiting;
    std::unordered_map<std::string, std::size_t> m_inFlightPerHost;
    UnresponsiveHosts m_unresponsive;
    bool m_aborted = false;
};
