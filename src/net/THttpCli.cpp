#include "net/THttpCli.h"

#include "net/DocName.h"
#include "net/EHttpException.h"
#include "net/ESocketException.h"
#include "net/HttpHeaderLine.h"
#include "net/ThreadHostResolver.h"
#include "net/Url.h"
#include "net/WSocketError.h"
#include "platform/Base64.h"
#include "platform/CaseFold.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <istream>
#include <ostream>
#include <stdexcept>

namespace {

constexpr std::size_t PostChunkSize = 8193;
constexpr auto PumpWait = std::chrono::milliseconds(50);

std::string HttpDate(std::time_t when)
{
    static constexpr std::string_view days = "SunMonTueWedThuFriSat";
    static constexpr std::string_view months = "JanFebMarAprMayJunJulAugSepOctNovDec";
    std::tm utc {};
    ::gmtime_r(&when, &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%.3s, %2.2d %.3s %4.4d %2.2d:%2.2d:%2.2d",
        days.data() + 3 * utc.tm_wday, utc.tm_mday, months.data() + 3 * utc.tm_mon, utc.tm_year + 1900,
        utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text;
}
}

THttpCli::THttpCli(MessageQueue& queue)
    : m_queue(queue)
    , m_ownResolver(std::make_unique<ThreadHostResolver>(queue))
    , m_pump([this]() { m_queue.WaitAndProcess(PumpWait); })
    , m_self(std::make_shared<THttpCli*>(this))
{
    SetResolver(*m_ownResolver);
}

THttpCli::~THttpCli()
{
    if (m_timer)
        m_queue.CancelTimer(m_timer);
    StopConnectTimer();
}

void THttpCli::SetResolver(HostResolver& resolver)
{
    if (m_state != THttpState::httpReady)
        throw EHttpException("HTTP component is busy", 1);
    m_resolver = &resolver;
    m_socket = std::make_unique<TWSocket>(m_queue, resolver);
    m_socket->OnDnsLookupDone = [this](TWSocket&, int error) { DnsLookupDone(error); };
    m_socket->OnSessionConnected = [this](TWSocket&, int error) { SessionConnected(error); };
    m_socket->OnDataAvailable = [this](TWSocket&, int) { DataAvailable(); };
    m_socket->OnDataSent = [this](TWSocket&, int) {
        if (m_request == THttpRequest::httpPOST && !m_postDone && m_connected)
            SendNextPostChunk();
    };
    m_socket->OnSessionClosed = [this](TWSocket&, int error) { SessionClosed(error); };
}

void THttpCli::CopySettingsTo(THttpCli& other) const
{
    other.Proxy = Proxy;
    other.ProxyPort = ProxyPort;
    other.Sender = Sender;
    other.Agent = Agent;
    other.Accept = Accept;
    other.Reference = Reference;
    other.Username = Username;
    other.Password = Password;
    other.ProxyUsername = ProxyUsername;
    other.ProxyPassword = ProxyPassword;
    other.NoCache = NoCache;
    other.Cookie = Cookie;
    other.Timeout = Timeout;
    other.MaxHeaderSize = MaxHeaderSize;
    other.MaxBodySize = MaxBodySize;
    other.SetResolver(*m_resolver);
    other.m_tlsContext = m_tlsContext;
}

void THttpCli::Get()
{
    GetASync();
    Wait();
}

void THttpCli::Head()
{
    HeadASync();
    Wait();
}

void THttpCli::Post()
{
    PostASync();
    Wait();
}

void THttpCli::GetASync()
{
    Start(THttpRequest::httpGET);
}
void THttpCli::HeadASync()
{
    Start(THttpRequest::httpHEAD);
}
void THttpCli::PostASync()
{
    Start(THttpRequest::httpPOST);
}

void THttpCli::Wait()
{
    while (m_state != THttpState::httpReady)
        m_pump();
    if (m_raise)
        throw EHttpException(m_raise->first, m_raise->second);
    if (m_statusCode >= 400)
        throw EHttpException(m_reasonPhrase, m_statusCode);
}

void THttpCli::Start(THttpRequest request)
{
    if (m_state != THttpState::httpReady)
        throw EHttpException("HTTP component is busy", 1);
    if (request == THttpRequest::httpPOST && !SendStream)
        throw EHttpException("HTTP component has nothing to post", 2);

    ++m_requestSerial;
    m_rcvdHeader.clear();
    m_request = request;
    m_requestDoneError = 0;
    m_closedHandler = ClosedHandler::Normal;
    SetState(THttpState::httpNotConnected);
    m_statusCode = 0;
    m_reasonPhrase.clear();
    m_rcvdCount = 0;
    m_headerLines = 0;
    m_headerBytes = 0;
    m_bodyChunks = 0;
    m_contentLength = -1;
    m_contentType.clear();
    m_location = URL;
    m_relocations = 0;
    m_relocationPending = false;
    m_restartPending = false;
    m_finished = false;
    m_connected = false;
    m_postDone = false;
    m_raise.reset();
    m_reader.Clear();

    const UrlParts parts = ParseUrl(URL);
    m_target.protocol = IsHttps(parts.protocol) ? "https" : "http";
    m_target.host = parts.host;
    m_target.port = parts.port.empty() ? DefaultPortOf(m_target.protocol) : parts.port;
    m_target.path = parts.path.empty() ? "/" : parts.path;
    // "http://host?x" names the root page with a query; a request line needs the "/".
    if (m_target.path.front() == '?')
        m_target.path.insert(0, "/");
    m_docName = DocNameOf(parts.path);

    if (Timeout > 0) {
        m_deadline = std::chrono::steady_clock::now() + std::chrono::seconds(Timeout);
        m_timer = StartTimerForThisRequest(std::chrono::seconds(Timeout), [this]() {
            m_timer = 0;
            TimedOut();
        });
    }
    Login();
}

void THttpCli::SetState(THttpState state)
{
    m_state = state;
    if (OnStateChange)
        OnStateChange(*this);
    if (state != THttpState::httpReady)
        return;
    if (m_timer) {
        m_queue.CancelTimer(m_timer);
        m_timer = 0;
    }
    StopConnectTimer();
    std::weak_ptr<THttpCli*> self = m_self;
    m_queue.Post([self, request = m_request, error = m_requestDoneError]() {
        if (auto live = self.lock(); live && (*live)->OnRequestDone)
            (*live)->OnRequestDone(**live, request, error);
    });
}

void THttpCli::PostForThisRequest(std::function<void()> call)
{
    std::weak_ptr<THttpCli*> self = m_self;
    m_queue.Post([self, serial = m_requestSerial, call = std::move(call)]() {
        if (auto live = self.lock(); live && (*live)->m_requestSerial == serial)
            call();
    });
}

MessageQueue::Id THttpCli::StartTimerForThisRequest(MessageQueue::Duration delay, std::function<void()> call)
{
    std::weak_ptr<THttpCli*> self = m_self;
    return m_queue.StartTimer(delay, [self, serial = m_requestSerial, call = std::move(call)]() {
        if (auto live = self.lock(); live && (*live)->m_requestSerial == serial)
            call();
    });
}

void THttpCli::StopConnectTimer()
{
    if (m_connectTimer)
        m_queue.CancelTimer(m_connectTimer);
    m_connectTimer = 0;
}

void THttpCli::Login()
{
    m_restartPending = false;
    SetState(THttpState::httpDnsLookup);
    try {
        m_socket->DnsLookup(HostAddressOf(Proxy.empty() ? m_target.host : Proxy));
    } catch (const ESocketException& e) {
        m_statusCode = 404;
        m_reasonPhrase = e.what();
        m_finished = true;
        SetState(THttpState::httpReady);
    }
}

void THttpCli::DnsLookupDone(int error)
{
    if (m_state != THttpState::httpDnsLookup)
        return;
    if (error != 0) {
        m_requestDoneError = error;
        m_statusCode = 404;
        m_reasonPhrase = "can't resolve hostname to IP address";
        SessionClosed(error);
        return;
    }
    SetState(THttpState::httpDnsLookupDone);
    m_addresses = m_socket->DnsResults();
    m_nextAddress = 0;
    ConnectToNextAddress();
}

void THttpCli::ConnectToNextAddress()
{
    const bool direct = Proxy.empty();
    try {
        m_socket->SetAddr(m_nextAddress < m_addresses.size() ? m_addresses[m_nextAddress] : "");
        ++m_nextAddress;
        m_socket->SetPort(direct ? m_target.port : (ProxyPort.empty() ? "80" : ProxyPort));
        m_socket->SetProto("tcp");
        std::shared_ptr<TlsContext> tls;
        if (direct && IsHttps(m_target.protocol)) {
            if (!m_tlsContext)
                m_tlsContext = TlsContext::SystemTrust();
            tls = m_tlsContext;
        }
        m_socket->SetTls(std::move(tls), HostAddressOf(m_target.host));
        m_socket->Connect();
        LimitConnectTime();
    } catch (const ESocketException&) {
        if (m_nextAddress < m_addresses.size()) {
            ConnectToNextAddress();
            return;
        }
        const int code = m_socket->LastError();
        m_requestDoneError = code;
        m_statusCode = 404;
        m_reasonPhrase = "can't connect: " + WSocketErrorWithCode(code);
        m_socket->Close();
        SessionClosed(code);
    } catch (const std::runtime_error& e) {
        m_requestDoneError = WSocketError::TlsFailed;
        m_statusCode = 404;
        m_reasonPhrase = e.what();
        SessionClosed(m_requestDoneError);
    }
}

void THttpCli::LimitConnectTime()
{
    StopConnectTimer();
    const std::size_t left = m_addresses.size() - std::min(m_nextAddress, m_addresses.size());
    if (Timeout <= 0 || left == 0)
        return;
    // An address that never answers (its packets dropped) leaves the others their share
    // of the time limit.
    const auto share = std::chrono::duration_cast<MessageQueue::Duration>(
        (m_deadline - std::chrono::steady_clock::now()) / (left + 1));
    m_connectTimer = StartTimerForThisRequest(std::max(share, MessageQueue::Duration(1)), [this]() {
        m_connectTimer = 0;
        if (m_state != THttpState::httpDnsLookupDone)
            return;
        m_socket->Close();
        ConnectToNextAddress();
    });
}

void THttpCli::SessionConnected(int error)
{
    StopConnectTimer();
    if (m_state != THttpState::httpDnsLookupDone)
        return;
    // A host may have addresses this machine cannot reach (IPv6 without a route, a server
    // listening on one family only); the next one is tried.
    if (error != 0 && error != WSocketError::TlsFailed && m_nextAddress < m_addresses.size()) {
        ConnectToNextAddress();
        return;
    }
    if (error != 0) {
        m_requestDoneError = error;
        m_statusCode = 404;
        m_reasonPhrase = error == WSocketError::TlsFailed ? "TLS handshake failed: " + m_socket->TlsFailure()
                                                          : WSocketErrorWithCode(error);
        SessionClosed(error);
        return;
    }
    m_connected = true;
    SetState(THttpState::httpConnected);
    if (OnSessionConnected)
        OnSessionConnected(*this);
    if (m_state != THttpState::httpConnected)
        return;
    m_reader.Clear();
    m_headerLines = 0;
    m_headerBytes = 0;
    m_bodyLength = -1;
    SetState(THttpState::httpWaitingHeader);
    SendRequest();
}

void THttpCli::SendRequest()
{
    if (OnRequestHeaderBegin)
        OnRequestHeaderBegin(*this);
    std::string request;
    auto add = [&](std::string line) {
        if (OnCommand)
            OnCommand(*this, line);
        request += line + "\r\n";
    };
    const bool post = m_request == THttpRequest::httpPOST;
    const char* method = post ? "POST" : m_request == THttpRequest::httpHEAD ? "HEAD" : "GET";
    const std::string path = EscapedForRequestLine(m_target.path);
    add(std::string(method) + " " + (Proxy.empty() ? path : OriginOf(m_target) + path) + " HTTP/1.0");
    if (!Sender.empty())
        add("From: " + Sender);
    if (!Accept.empty())
        add("Accept: " + Accept);
    if (!Reference.empty())
        add("Referer: " + Reference);
    if (post && !ContentTypePost.empty())
        add("Content-Type: " + ContentTypePost);
    if (!Agent.empty())
        add("User-Agent: " + Agent);
    add("Host: " + m_target.host);
    if (NoCache)
        add("Pragma: no-cache");
    if (post) {
        SendStream->clear();
        SendStream->seekg(0, std::ios::end);
        const auto size = static_cast<long long>(SendStream->tellg());
        SendStream->seekg(0, std::ios::beg);
        add("Content-Length: " + std::to_string(size < 0 ? 0 : size));
    }
    if (ModifiedSince != 0)
        add("If-Modified-Since: " + HttpDate(ModifiedSince) + " GMT");
    if (!Username.empty())
        add("Authorization: Basic " + Base64(Username + ":" + Password));
    if (!Proxy.empty() && !ProxyUsername.empty())
        add("Proxy-Authorization: Basic " + Base64(ProxyUsername + ":" + ProxyPassword));
    if (!Cookie.empty())
        add("Cookie: " + Cookie);
    if (!ContentRangeBegin.empty() || !ContentRangeEnd.empty()) {
        add("Range: bytes=" + ContentRangeBegin + "-" + ContentRangeEnd);
        ContentRangeBegin.clear();
        ContentRangeEnd.clear();
    }
    AcceptRanges.clear();
    if (OnRequestHeaderEnd)
        OnRequestHeaderEnd(*this);
    request += "\r\n";
    if (m_state != THttpState::httpWaitingHeader)
        return;
    m_socket->Send(request.data(), request.size());
    if (post && m_connected && OnSendBegin)
        OnSendBegin(*this);
}

void THttpCli::SendNextPostChunk()
{
    m_postChunk.resize(PostChunkSize);
    SendStream->read(m_postChunk.data(), static_cast<std::streamsize>(m_postChunk.size()));
    const auto count = static_cast<std::size_t>(SendStream->gcount());
    if (count == 0) {
        m_postDone = true;
        if (OnSendEnd)
            OnSendEnd(*this);
        return;
    }
    if (OnSendData)
        OnSendData(*this, m_postChunk.data(), count);
    if (m_connected)
        m_socket->Send(m_postChunk.data(), count);
}

void THttpCli::DataAvailable()
{
    if (m_state != THttpState::httpWaitingHeader) {
        std::array<char, LineReader::Capacity> chunk;
        const int count = m_socket->Receive(chunk.data(), chunk.size());
        if (count > 0 && m_state == THttpState::httpWaitingBody && m_connected)
            BodyChunk(chunk.data(), static_cast<std::size_t>(count));
        return;
    }
    if (m_reader.Full()) {
        LineTooLong();
        return;
    }
    const auto space = m_reader.Space();
    const int count = m_socket->Receive(space.data(), space.size());
    if (count == 0) {
        EndOfStream();
        return;
    }
    if (count < 0)
        return;
    m_reader.Commit(static_cast<std::size_t>(count));
    HandleHeaderLines();
    if (m_state == THttpState::httpWaitingHeader && m_connected && m_reader.Full())
        LineTooLong();
}

void THttpCli::LineTooLong()
{
    // The status already read must not make a cut-off header count as an answer.
    m_raise.emplace("HTTP line too long", 4);
    Fail(404, "HTTP line too long", 4);
}

void THttpCli::HandleHeaderLines()
{
    const auto serial = m_requestSerial;
    while (m_state == THttpState::httpWaitingHeader) {
        const auto line = m_reader.NextLine();
        if (!line)
            return;
        HeaderLine(*line);
        if (serial != m_requestSerial)
            return;
    }
    if (m_state != THttpState::httpWaitingBody || !m_connected || m_reader.Rest().empty())
        return;
    const std::string rest(m_reader.Rest());
    m_reader.Clear();
    BodyChunk(rest.data(), rest.size());
}

void THttpCli::EndOfStream()
{
    // A last line without a line end still counts (an "<HTML>" page sent without header).
    const std::string rest(m_reader.Rest());
    m_reader.Clear();
    if (rest.empty() || m_state != THttpState::httpWaitingHeader)
        return;
    std::string_view text = rest;
    if (text.back() == '\r')
        text.remove_suffix(1);
    HeaderLine({ text, rest });
}

void THttpCli::HeaderLine(const LineReader::Line& line)
{
    const bool statusExpected = m_headerLines++ == 0;
    if (statusExpected && OnHeaderBegin)
        OnHeaderBegin(*this);
    m_headerBytes += line.raw.size();
    if (m_connected && m_headerBytes > MaxHeaderSize) {
        Fail(404, "Response header too large (over " + std::to_string(MaxHeaderSize) + " bytes)", 0);
        return;
    }
    if (CaseFold::StartsWithIgnoringCase(line.text, "<HTML>")) {
        if (!m_connected)
            return;
        if (m_contentType.empty())
            m_contentType = "text/html";
        SetState(THttpState::httpWaitingBody);
        if (OnHeaderEnd)
            OnHeaderEnd(*this);
        if (EndedWithHeader())
            return;
        // The page is delivered as it came, line end included.
        const std::string first(line.raw);
        if (m_state == THttpState::httpWaitingBody)
            BodyChunk(first.data(), first.size());
        return;
    }
    if (line.text.empty() && !statusExpected) {
        if (!m_connected) {
            m_reader.Clear();
            return;
        }
        HeaderEnd();
        return;
    }
    if (!line.text.empty())
        m_rcvdHeader.emplace_back(line.text);
    if (statusExpected || HttpHeaderLine::IsStatusLine(line.text)) {
        const auto status = HttpHeaderLine::ParseStatus(line.text);
        if (!status) {
            Fail(404, "Invalid status line received", 0);
            return;
        }
        m_statusCode = status->code;
        m_reasonPhrase = status->reason;
    } else if (auto field = HttpHeaderLine::SplitField(line.text)) {
        HeaderField(field->name, field->value);
    }
    if (OnHeaderData)
        OnHeaderData(*this);
    // An error ends the answer at its status line, except where a later field says when
    // to ask again.
    const bool retryable = m_statusCode == 429 || m_statusCode == 503;
    if (m_statusCode >= 400 && !retryable && m_connected)
        CloseConnection();
}

void THttpCli::HeaderField(const std::string& name, std::string_view value)
{
    if (name == "location") {
        if (!m_connected)
            return;
        Relocation relocation = ResolveRelocation(m_target, value);
        m_relocationPending = true;
        m_relocationTarget = std::move(relocation.target);
        m_location = std::move(relocation.location);
    } else if (name == "content-length") {
        if (auto length = HttpHeaderLine::ParseContentLength(value))
            m_contentLength = m_bodyLength = *length;
    } else if (name == "content-range") {
        if (auto range = HttpHeaderLine::ParseContentRange(value)) {
            ContentRangeBegin = std::move(range->begin);
            ContentRangeEnd = std::move(range->end);
        }
    } else if (name == "accept-ranges") {
        AcceptRanges = value;
    } else if (name == "content-type") {
        m_contentType = CaseFold::LowerCase(value);
    } else if (name == "set-cookie") {
        bool accept = true;
        if (OnCookie)
            OnCookie(*this, std::string(value), accept);
    }
}

void THttpCli::HeaderEnd()
{
    if (!m_relocationPending || m_statusCode >= 400) {
        m_docName = DocNameForType(m_docName, m_contentType);
        SetState(THttpState::httpWaitingBody);
        if (OnHeaderEnd)
            OnHeaderEnd(*this);
        EndedWithHeader();
        return;
    }
    if (OnHeaderEnd)
        OnHeaderEnd(*this);
    if (m_state != THttpState::httpWaitingHeader || !m_connected)
        return;
    m_headerLines = 0;
    m_headerBytes = 0;
    if (m_relocations >= MaxRelocations) {
        Fail(404, "Too many relocations", 0);
        return;
    }
    ++m_relocations;
    m_closedHandler = ClosedHandler::Relocation;
    m_reader.Clear();
    CloseConnection();
}

bool THttpCli::EndedWithHeader()
{
    // Whatever a server sends after the header of a HEAD answer is not read: some send
    // the whole document, some hold the connection open.
    if (m_request != THttpRequest::httpHEAD || m_state != THttpState::httpWaitingBody || !m_connected)
        return false;
    m_reader.Clear();
    CloseConnection();
    return true;
}

bool THttpCli::BodyCutShort() const
{
    const bool bodyless = m_statusCode < 200 || m_statusCode == 204 || m_statusCode == 304;
    return !bodyless && m_bodyLength >= 0 && static_cast<long long>(m_rcvdCount) < m_bodyLength;
}

void THttpCli::BodyChunk(const char* data, std::size_t length)
{
    if (length == 0)
        return;
    if (m_rcvdCount + length > MaxBodySize) {
        if (!BodyLimitEndsRequest) {
            Fail(404, "Response body too large (over " + std::to_string(MaxBodySize) + " bytes)", 0);
            return;
        }
        m_reader.Clear();
        CloseConnection();
        return;
    }
    if (m_bodyChunks++ == 0 && OnDocBegin) {
        OnDocBegin(*this);
        if (m_state != THttpState::httpWaitingBody)
            return;
    }
    m_rcvdCount += length;
    if (RcvdStream)
        RcvdStream->write(data, static_cast<std::streamsize>(length));
    if (OnDocData)
        OnDocData(*this, data, length);
}

void THttpCli::CloseConnection()
{
    if (m_socket->State() == TWSocket::TSocketState::wsConnected) {
        m_connected = false;
        m_socket->Close();
        return;
    }
    m_connected = false;
    m_socket->CancelDnsLookup();
    m_socket->Close();
    SessionClosed(0);
}

void THttpCli::SessionClosed(int error)
{
    if (m_closedHandler == ClosedHandler::Relocation) {
        RelocationClosed();
        return;
    }
    if (m_finished)
        return;
    m_finished = true;
    m_restartPending = false;
    m_relocationPending = false;
    if (m_connected && error != 0) {
        m_requestDoneError = error;
        m_statusCode = 404;
        m_reasonPhrase = error == WSocketError::TlsFailed ? "TLS failure: " + m_socket->TlsFailure()
                                                          : WSocketErrorWithCode(error);
    } else if (m_connected && m_state == THttpState::httpWaitingHeader) {
        m_statusCode = 404;
        m_reasonPhrase = "Connection closed before the end of the header";
    } else if (m_connected && m_state == THttpState::httpWaitingBody && BodyCutShort()) {
        m_statusCode = 404;
        m_reasonPhrase = "Connection closed before the whole document arrived";
    }
    m_connected = false;
    if (m_bodyChunks > 0 && OnDocEnd)
        OnDocEnd(*this);
    PostForThisRequest([this]() {
        if (m_state != THttpState::httpReady)
            SetState(THttpState::httpReady);
    });
}

void THttpCli::RelocationClosed()
{
    m_connected = false;
    m_relocationPending = false;
    m_closedHandler = ClosedHandler::Normal;
    m_target = m_relocationTarget;
    m_restartPending = true;
    if (OnLocationChange)
        OnLocationChange(*this);
    PostForThisRequest([this]() {
        if (m_restartPending && !m_finished && m_state == THttpState::httpWaitingHeader)
            Login();
    });
}

void THttpCli::Fail(int statusCode, std::string reason, int requestError)
{
    m_statusCode = statusCode;
    m_reasonPhrase = std::move(reason);
    if (requestError != 0)
        m_requestDoneError = requestError;
    m_closedHandler = ClosedHandler::Normal;
    m_relocationPending = false;
    m_reader.Clear();
    CloseConnection();
}

void THttpCli::TimedOut()
{
    if (m_state == THttpState::httpReady || m_finished)
        return;
    Fail(404, WSocketErrorWithCode(WSocketError::TimedOut), WSocketError::TimedOut);
}

void THttpCli::Abort()
{
    if (m_state == THttpState::httpReady) {
        m_socket->Close();
        return;
    }
    SetState(THttpState::httpAborting);
    Fail(404, "Connection aborted on request", 3);
    SetState(THttpState::httpReady);
}
