#include "engine/AsyncProbe.h"

#include "engine/HeadersRecord.h"
#include "engine/ProbeRetry.h"
#include "engine/WebAccess.h"

#include <utility>

AsyncProbe::AsyncProbe(const THttpCli& settings, const RunOptions& options)
    : m_options(options)
{
    settings.CopySettingsTo(m_http);
    // A HEAD reads no body, so the cap only ever applies to the GET that stands in for it.
    m_http.MaxBodySize = WebAccess::ProbeBodyLimit;
    m_http.BodyLimitEndsRequest = true;
    m_http.OnRequestDone = [this](THttpCli&, THttpCli::THttpRequest request, int) { RequestDone(request); };
}

AsyncProbe::~AsyncProbe()
{
    StopWaiting();
}

void AsyncProbe::Start(const std::string& address, Done done)
{
    m_retriesLeft = m_options.Probes.retries;
    m_address = address;
    m_done = std::move(done);
    m_result = ProbeResult();
    m_start = std::chrono::steady_clock::now();
    m_http.URL = address;
    m_http.HeadASync();
}

void AsyncProbe::StopWaiting()
{
    if (m_retryTimer)
        MessageQueue::ForThisThread().CancelTimer(m_retryTimer);
    m_retryTimer = 0;
}

void AsyncProbe::Abort()
{
    StopWaiting();
    m_done = nullptr;
    m_http.Abort();
}

void AsyncProbe::RequestDone(THttpCli::THttpRequest request)
{
    // A request ended by Abort reports after a newer one may have begun.
    if (!m_done || m_http.State() != THttpCli::THttpState::httpReady)
        return;
    const int status = m_http.StatusCode();
    const bool answered = status < 400;
    if (request == THttpCli::THttpRequest::httpHEAD && (status == 405 || status == 501)) {
        HeadersRecord::Append(m_result.headers, m_http, m_address, HeadersRecord::Outcome::Failure);
        m_http.RcvdHeader().clear();
        m_http.GetASync();
        return;
    }
    if (answered || !RetryLater(request))
        Finish(answered);
}

bool AsyncProbe::RetryLater(THttpCli::THttpRequest request)
{
    std::optional<std::chrono::milliseconds> delay
        = m_retriesLeft > 0 ? ProbeRetry::DelayAfter(m_http, m_options.Probes.maxWait) : std::nullopt;
    if (!delay)
        return false;
    --m_retriesLeft;
    HeadersRecord::Append(m_result.headers, m_http, m_address, HeadersRecord::Outcome::Failure);
    m_http.RcvdHeader().clear();
    m_retryTimer = MessageQueue::ForThisThread().StartTimer(*delay, [this, request]() {
        m_retryTimer = 0;
        if (request == THttpCli::THttpRequest::httpHEAD)
            m_http.HeadASync();
        else
            m_http.GetASync();
    });
    return true;
}

void AsyncProbe::Finish(bool answered)
{
    if (answered && m_options.RecordHeaders)
        HeadersRecord::Append(m_result.headers, m_http, m_address, HeadersRecord::Outcome::Success);
    if (!answered)
        HeadersRecord::Append(m_result.headers, m_http, m_address, HeadersRecord::Outcome::Failure);
    m_http.RcvdHeader().clear();
    m_result.ok = answered;
    m_result.statusCode = m_http.StatusCode();
    m_result.reason = WebAccess::ReasonFor(m_http.ReasonPhrase());
    m_result.elapsed = std::chrono::steady_clock::now() - m_start;
    Done done = std::exchange(m_done, nullptr);
    done(std::move(m_result));
}
