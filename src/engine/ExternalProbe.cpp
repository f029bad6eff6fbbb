#include "engine/ExternalProbe.h"

#include "engine/UrlText.h"

#include <ctime>

namespace {

/// What a probe asks for: the address without its fragment.
std::string ProbedAddress(const ResolvedReference& ref)
{
    return ref.target.substr(0, ref.target.find('#'));
}

}

bool ExternalProbe::Wanted(const ResolvedReference& ref, bool image) const
{
    bool wanted = image ? m_ctx.options.CheckExtImages : m_ctx.options.CheckExtLinks;
    return wanted && UrlText::IsWebScheme(UrlText::SchemeOf(ref.target));
}

void ExternalProbe::StartAhead(const ResolvedReference& ref, bool image)
{
    if (!m_ctx.probes || ref.kind != ResolvedReference::Kind::Address || !Wanted(ref, image)
        || Remembered(ProbedAddress(ref)))
        return;
    if (!m_ctx.state.Places.Known(ref.SeenKeyParts().View()) && m_startedAhead.Insert(ref.SeenKey()))
        m_ctx.probes->StartAhead(ProbedAddress(ref));
}

bool ExternalProbe::Remembered(const std::string& address) const
{
    return m_ctx.remembered
        && m_ctx.remembered->FreshOk(
            address, std::time(nullptr), std::chrono::seconds(m_ctx.options.Probes.maxAge));
}

ProbeResult ExternalProbe::Probe(const ResolvedReference& ref)
{
    const std::string address = ProbedAddress(ref);
    if (Remembered(address)) {
        ProbeResult result;
        result.ok = result.remembered = true;
        return result;
    }
    ProbeResult result = m_ctx.probes ? m_ctx.probes->Await(address) : ProbeNow(address);
    if (m_ctx.remembered)
        m_ctx.remembered->Remember(
            address, { result.ok ? "OK" : result.reason, result.statusCode, std::time(nullptr) });
    result.headers.ForEach([&](std::string_view entry) { m_ctx.state.ReceivedHeaders.Add(std::string(entry)); });
    if (result.hostGivenUp)
        m_ctx.models.Labels.SetStatus("Not asking " + UnresponsiveHosts::HostKeyOf(address)
            + " again: " + std::to_string(UnresponsiveHosts::TimeoutsInARow) + " probes in a row timed out");
    return result;
}

ProbeResult ExternalProbe::ProbeNow(const std::string& address)
{
    std::string host = UnresponsiveHosts::HostKeyOf(address);
    if (m_unresponsive.GivenUp(host))
        return UnresponsiveHosts::NotAsked(address);
    ProbeResult result;
    result.ok = m_ctx.web.ProbeUrl(address);
    result.reason = m_ctx.web.Reason();
    result.statusCode = m_ctx.web.StatusCode();
    m_unresponsive.Count(host, result);
    return result;
}
