#include "engine/ProbeScheduler.h"

#include "platform/MessageQueue.h"

#include <algorithm>

namespace {

ProbeResult Aborted()
{
    ProbeResult result;
    result.statusCode = 404;
    result.reason = "Connection aborted on request";
    return result;
}

}

ProbeScheduler::ProbeScheduler(
    const THttpCli& settings, const RunOptions& options, RunState& state, RunHost& host)
    : m_settings(settings)
    , m_options(options)
    , m_jobs(std::size_t(std::max(options.Probes.jobs, 1)))
    , m_perHost(std::size_t(std::max(options.Probes.perHost, 1)))
    , m_state(state)
    , m_host(host)
{
}

ProbeScheduler::~ProbeScheduler()
{
    AbortAll();
}

void ProbeScheduler::StartAhead(const std::string& address)
{
    if (m_aborted)
        return;
    Queue(address);
    Launch();
}

std::shared_ptr<ProbeScheduler::Probe> ProbeScheduler::Queue(const std::string& address)
{
    auto probe = std::make_shared<Probe>();
    probe->address = address;
    probe->hostKey = UnresponsiveHosts::HostKeyOf(address);
    m_byAddress[address].push_back(probe);
    if (m_unresponsive.GivenUp(probe->hostKey))
        Skip(*probe);
    else
        m_waiting.push_back(probe);
    return probe;
}

ProbeResult ProbeScheduler::Await(const std::string& address)
{
    if (m_aborted)
        return Aborted();
    auto& probes = m_byAddress[address];
    std::shared_ptr<Probe> probe = probes.empty() ? Queue(address) : probes.front();
    if (!probe->started && !probe->done) {
        // The check waits for this one: it goes before everything still waiting.
        m_waiting.erase(std::find(m_waiting.begin(), m_waiting.end(), probe));
        m_waiting.push_front(probe);
        Launch();
    }
    // A give-up asked for while no probe was awaited concerned another request.
    m_state.GiveUpCurrentRequest = false;
    while (!probe->done) {
        m_host.ProcessMessages();
        if (m_state.AbortRequested) {
            AbortAll();
            return Aborted();
        }
        if (m_state.GiveUpCurrentRequest) {
            m_state.GiveUpCurrentRequest = false;
            GiveUp(probe);
        }
        if (!probe->done)
            MessageQueue::ForThisThread().WaitAndProcess(std::chrono::milliseconds(20));
    }
    auto& remaining = m_byAddress[address];
    remaining.pop_front();
    if (remaining.empty())
        m_byAddress.erase(address);
    return std::move(probe->result);
}

std::size_t ProbeScheduler::ShareOf(const std::string& hostKey) const
{
    // Probes started while others of the host time out would only time out as well.
    return m_unresponsive.Suspect(hostKey) ? 1 : m_perHost;
}

AsyncProbe* ProbeScheduler::IdleClient()
{
    for (auto& client : m_clients)
        if (!client->Busy())
            return client.get();
    if (m_clients.size() >= m_jobs)
        return nullptr;
    m_clients.push_back(std::make_unique<AsyncProbe>(m_settings, m_options));
    return m_clients.back().get();
}

void ProbeScheduler::Launch()
{
    while (!m_aborted) {
        auto next = std::find_if(m_waiting.begin(), m_waiting.end(), [this](const std::shared_ptr<Probe>& p) {
            return m_inFlightPerHost[p->hostKey] < ShareOf(p->hostKey);
        });
        if (next == m_waiting.end())
            return;
        AsyncProbe* client = IdleClient();
        if (!client)
            return;
        std::shared_ptr<Probe> probe = *next;
        m_waiting.erase(next);
        probe->started = true;
        probe->client = client;
        ++m_inFlightPerHost[probe->hostKey];
        client->Start(probe->address, [this, probe](ProbeResult result) {
            probe->client = nullptr;
            --m_inFlightPerHost[probe->hostKey];
            m_unresponsive.Count(probe->hostKey, result);
            if (result.hostGivenUp)
                SkipWaiting(probe->hostKey);
            probe->result = std::move(result);
            probe->done = true;
            Launch();
        });
    }
}

void ProbeScheduler::Skip(Probe& probe)
{
    probe.result = UnresponsiveHosts::NotAsked(probe.address);
    probe.done = true;
}

void ProbeScheduler::SkipWaiting(const std::string& hostKey)
{
    std::erase_if(m_waiting, [&](const std::shared_ptr<Probe>& probe) {
        if (probe->hostKey != hostKey)
            return false;
        Skip(*probe);
        return true;
    });
}

void ProbeScheduler::GiveUp(const std::shared_ptr<Probe>& probe)
{
    if (probe->client) {
        probe->client->Abort();
        probe->client = nullptr;
        --m_inFlightPerHost[probe->hostKey];
    } else {
        std::erase(m_waiting, probe);
    }
    probe->result = Aborted();
    probe->done = true;
    Launch();
}

void ProbeScheduler::AbortAll()
{
    m_aborted = true;
    m_waiting.clear();
    for (auto& client : m_clients)
        if (client->Busy())
            client->Abort();
}
