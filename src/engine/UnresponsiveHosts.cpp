#include "engine/UnresponsiveHosts.h"

#include "engine/HeadersRecord.h"
#include "net/Url.h"
#include "net/WSocketError.h"
#include "platform/CaseFold.h"

namespace {

const std::string TimedOut = WSocketErrorWithCode(WSocketError::TimedOut);

}

std::string UnresponsiveHosts::HostKeyOf(const std::string& address)
{
    const UrlParts parts = ParseUrl(address);
    const std::string port = parts.port.empty() ? DefaultPortOf(parts.protocol) : parts.port;
    return CaseFold::LowerCase(parts.host) + ":" + port;
}

bool UnresponsiveHosts::GivenUp(const std::string& hostKey) const
{
    auto found = m_timeouts.find(hostKey);
    return found != m_timeouts.end() && found->second >= TimeoutsInARow;
}

bool UnresponsiveHosts::Suspect(const std::string& hostKey) const
{
    auto found = m_timeouts.find(hostKey);
    return found != m_timeouts.end() && found->second > 0;
}

void UnresponsiveHosts::Count(const std::string& hostKey, ProbeResult& result)
{
    int& inARow = m_timeouts[hostKey];
    if (inARow >= TimeoutsInARow)
        return;
    inARow = !result.ok && result.reason == TimedOut ? inARow + 1 : 0;
    result.hostGivenUp = inARow == TimeoutsInARow;
}

ProbeResult UnresponsiveHosts::NotAsked(const std::string& address)
{
    ProbeResult result;
    result.statusCode = 404;
    result.reason = TimedOut;
    HeadersRecord::AppendFailure(result.headers, address, result.statusCode, result.reason);
    return result;
}
