#include "engine/WebAccess.h"

#include "engine/HeadersRecord.h"
#include "engine/ProbeRetry.h"
#include "net/EHttpException.h"
#include "platform/MessageQueue.h"

#include <sstream>
#include <utility>

WebAccess::WebAccess(THttpCli& http, RunState& state, RunHost& host, const RunOptions& options)
    : m_http(http)
    , m_state(state)
    , m_host(host)
    , m_options(options)
{
    m_http.SetPump([this] { Pump(); });
}

WebAccess::~WebAccess() { m_http.SetPump({}); }

void WebAccess::Pump()
{
    m_host.ProcessMessages();
    auto state = m_http.State();
    if (m_state.AbortRequested && !m_abortSent && state != THttpCli::THttpState::httpReady
        && state != THttpCli::THttpState::httpNotConnected) {
        m_abortSent = true;
        m_http.Abort();
    }
    MessageQueue::ForThisThread().WaitAndProcess(std::chrono::milliseconds(20));
}

bool WebAccess::Request(const std::string& address, Method method)
{
    m_http.URL = address;
    try {
        if (method == Method::Head)
            m_http.Head();
        else
            m_http.Get();
        return true;
    } catch (const EHttpException&) {
        return false;
    }
}

bool WebAccess::Ask(const std::string& address, Method method)
{
    if (method == Method::Head)
        return Request(address, Method::Head);
    // Only the answer matters: the body is read up to a small cap and dropped.
    std::size_t maxBody = std::exchange(m_http.MaxBodySize, ProbeBodyLimit);
    m_http.BodyLimitEndsRequest = true;
    bool answered = Request(address, Method::Get);
    m_http.BodyLimitEndsRequest = false;
    m_http.MaxBodySize = maxBody;
    return answered;
}

bool WebAccess::Sleep(std::chrono::milliseconds delay)
{
    const auto until = std::chrono::steady_clock::now() + delay;
    while (!m_state.AbortRequested && std::chrono::steady_clock::now() < until) {
        m_host.ProcessMessages();
        MessageQueue::ForThisThread().WaitAndProcess(std::chrono::milliseconds(20));
    }
    return !m_state.AbortRequested;
}

bool WebAccess::ProbeUrl(const std::string& address)
{
    m_http.RcvdStream = nullptr;
    Method method = Method::Head;
    bool answered = Ask(address, method);
    if (!answered && (m_http.StatusCode() == 405 || m_http.StatusCode() == 501)) {
        HeadersRecord::Append(m_state.ReceivedHeaders, m_http, address, HeadersRecord::Outcome::Failure);
        m_http.RcvdHeader().clear();
        method = Method::Get;
        answered = Ask(address, method);
    }
    for (int left = m_options.Probes.retries; !answered && left > 0; --left) {
        std::optional<std::chrono::milliseconds> delay
            = ProbeRetry::DelayAfter(m_http, m_options.Probes.maxWait);
        if (!delay)
            break;
        HeadersRecord::Append(m_state.ReceivedHeaders, m_http, address, HeadersRecord::Outcome::Failure);
        m_http.RcvdHeader().clear();
        if (!Sleep(*delay))
            break;
        answered = Ask(address, method);
    }
    if (answered && m_options.RecordHeaders)
        HeadersRecord::Append(m_state.ReceivedHeaders, m_http, address, HeadersRecord::Outcome::Success);
    if (!answered)
        HeadersRecord::Append(m_state.ReceivedHeaders, m_http, address, HeadersRecord::Outcome::Failure);
    m_http.RcvdHeader().clear();
    return answered || m_http.StatusCode() == 200;
}

bool WebAccess::DownloadPage(const std::string& address, std::string& text)
{
    std::ostringstream body;
    m_http.RcvdStream = &body;
    bool answered = Request(address, Method::Get);
    m_http.RcvdStream = nullptr;
    m_http.RcvdHeader().clear();
    if (!answered || m_http.RcvdCount() == 0)
        return false;
    text = body.str();
    return true;
}

std::string WebAccess::ReasonFor(const std::string& reasonPhrase)
{
    return reasonPhrase.find("Not Found") != std::string::npos ? "Page not found" : reasonPhrase;
}
