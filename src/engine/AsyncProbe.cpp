#include "engine/AsyncProbe.h"

#include "engine/HeadersRecord.h"
#include "engine/WebAccess.h"

#include <utility>

AsyncProbe::AsyncProbe(const THttpCli& settings, SuccessHeaders successHeaders)
    : m_successHeaders(successHeaders)
{
    settings.CopySettingsTo(m_http);
    // A HEAD reads no body, so the cap only ever applies to the GET that stands in for it.
    m_http.MaxBodySize = WebAccess::ProbeBodyLimit;
    m_http.BodyLimitEndsRequest = true;
    m_http.OnRequestDone = [this](THttpCli&, THttpCli::THttpRequest request, int) { RequestDone(request); };
}

void AsyncProbe::Start(const std::string& address, Done done)
{
    m_address = address;
    m_done = std::move(done);
    m_result = ProbeResult();
    m_start = std::chrono::steady_clock::now();
    m_http.URL = address;
    m_http.HeadASync();
}

void AsyncProbe::Abort()
{
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
    Finish(answered);
}

void AsyncProbe::Finish(bool answered)
{
    if (answered && m_successHeaders == SuccessHeaders::Record)
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
