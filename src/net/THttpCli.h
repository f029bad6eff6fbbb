#pragma once

#include "net/HostResolver.h"
#include "net/LineReader.h"
#include "net/Relocation.h"
#include "net/TWSocket.h"
#include "net/TlsContext.h"
#include "platform/MessageQueue.h"

#include <chrono>
#include <cstddef>
#include <ctime>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

/// One HTTP/1.0 request at a time over a fresh connection each: parses the address,
/// resolves the host, connects to its addresses in turn until one answers (with TLS for
/// "https"), sends the request, reads the status line and header fields, follows at most
/// `MaxRelocations` relocations, and hands the body to `RcvdStream` and `OnDocData` until
/// the server closes (a close short of the announced length fails; a HEAD ends with its
/// header). An answer must begin with a status line (or, header-less, "<HTML>"). Owned by
/// one window or run and used on the thread of its message queue: events are dispatched
/// from that queue, and the blocking calls (`Get`, `Head`, `Post`) run the installed pump
/// until the client is ready again, so other events (an Abort button) run inside them.
/// Every transport failure ends the request with `StatusCode` 404 and a reason, and makes
/// a blocking call raise `EHttpException`, as an HTTP error status does. Event handlers
/// must not throw.
///
/// The properties the caller sets are public members; what a request yields is read
/// through the accessors.
class THttpCli {
public:
    enum class THttpState {
        httpReady,
        httpNotConnected,
        httpConnected,
        httpDnsLookup,
        httpDnsLookupDone,
        httpWaitingHeader,
        httpWaitingBody,
        httpAborting
    };
    enum class THttpRequest { httpAbort, httpGET, httpPOST, httpHEAD };

    using Notify = std::function<void(THttpCli& sender)>;
    using DataEvent = std::function<void(THttpCli& sender, const char* data, std::size_t length)>;
    using CommandEvent = std::function<void(THttpCli& sender, std::string& line)>;
    using RequestDoneEvent = std::function<void(THttpCli& sender, THttpRequest request, int error)>;
    using CookieEvent = std::function<void(THttpCli& sender, const std::string& cookie, bool& accept)>;
    /// Runs pending events once, waiting a little when none is pending.
    using Pump = std::function<void()>;

    static constexpr int MaxRelocations = 20;

    explicit THttpCli(MessageQueue& queue = MessageQueue::ForThisThread());
    ~THttpCli();
    THttpCli(const THttpCli&) = delete;
    THttpCli& operator=(const THttpCli&) = delete;

    std::string URL;
    std::string Proxy;
    std::string ProxyPort = "80";
    std::string Sender;
    std::string Agent = "Mozilla/3.0 (compatible)";
    std::string Accept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
    std::string Reference;
    std::string Username;
    std::string Password;
    std::string ProxyUsername;
    std::string ProxyPassword;
    bool NoCache = false;
    /// Seconds since 1970 (UTC); 0 sends no "If-Modified-Since".
    std::time_t ModifiedSince = 0;
    std::string Cookie;
    std::string ContentTypePost = "application/x-www-form-urlencoded";
    /// Sent as a range request and cleared; also filled from a received "content-range".
    std::string ContentRangeBegin;
    std::string ContentRangeEnd;
    std::string AcceptRanges;
    /// Seconds for the whole request, relocations included; 0 = no limit.
    int Timeout = 0;
    /// Limits on what a server may send, in bytes: the header of one response, the body.
    std::size_t MaxHeaderSize = 1 << 20;
    std::size_t MaxBodySize = 64 << 20;
    /// When set, a body longer than `MaxBodySize` ends the request there as received,
    /// keeping its status: for a caller that wants to know whether an address answers and
    /// discards the body. Otherwise such a body fails the request.
    bool BodyLimitEndsRequest = false;
    /// Owned by the caller; may be set or changed in `OnDocBegin`.
    std::ostream* RcvdStream = nullptr;
    /// The POST body, owned by the caller; must be seekable (its size is sent).
    std::istream* SendStream = nullptr;

    Notify OnSessionConnected;
    Notify OnHeaderData;
    CommandEvent OnCommand;
    Notify OnHeaderBegin;
    Notify OnHeaderEnd;
    Notify OnRequestHeaderBegin;
    Notify OnRequestHeaderEnd;
    Notify OnDocBegin;
    DataEvent OnDocData;
    Notify OnDocEnd;
    Notify OnSendBegin;
    DataEvent OnSendData;
    Notify OnSendEnd;
    Notify OnStateChange;
    RequestDoneEvent OnRequestDone;
    Notify OnLocationChange;
    CookieEvent OnCookie;

    void Get();
    void Head();
    void Post();
    void GetASync();
    void HeadASync();
    void PostASync();
    void Abort();

    /// Replaces the wait of the blocking calls (default: this client's queue, up to 50 ms).
    void SetPump(Pump pump) { m_pump = std::move(pump); }
    /// The resolver outlives the client; the default looks names up on a worker thread.
    void SetResolver(HostResolver& resolver);
    /// Trust anchors for "https" (default: the system's store, loaded on first use).
    void SetTlsContext(std::shared_ptr<TlsContext> context) { m_tlsContext = std::move(context); }
    /// Gives `other` this client's request properties, resolver and trust anchors, so a
    /// second client asks as this one would. Precondition: `other` is ready.
    void CopySettingsTo(THttpCli& other) const;

    THttpState State() const { return m_state; }
    int StatusCode() const { return m_statusCode; }
    const std::string& ReasonPhrase() const { return m_reasonPhrase; }
    long long ContentLength() const { return m_contentLength; }
    const std::string& ContentType() const { return m_contentType; }
    const std::string& Location() const { return m_location; }
    const std::string& DocName() const { return m_docName; }
    /// Every received header line, status line first, of every hop of the request.
    std::vector<std::string>& RcvdHeader() { return m_rcvdHeader; }
    /// The socket error code that ended the last request; 0 when none did.
    int RequestError() const { return m_requestDoneError; }
    /// Body bytes received by the current or last request.
    std::size_t RcvdCount() const { return m_rcvdCount; }

private:
    enum class ClosedHandler { Normal, Relocation };

    void Start(THttpRequest request);
    void Wait();
    void SetState(THttpState state);
    void Login();
    void DnsLookupDone(int error);
    /// Tries the resolved addresses in turn; the last one's failure ends the request.
    void ConnectToNextAddress();
    /// With a time limit and more addresses to try, gives this connect its share of the
    /// time left.
    void LimitConnectTime();
    void StopConnectTimer();
    MessageQueue::Id StartTimerForThisRequest(MessageQueue::Duration delay, std::function<void()> call);
    void SessionConnected(int error);
    void SendRequest();
    void SendNextPostChunk();
    void DataAvailable();
    void HandleHeaderLines();
    void HeaderLine(const LineReader::Line& line);
    void HeaderField(const std::string& name, std::string_view value);
    void HeaderEnd();
    /// Ends a HEAD request once its header is read; false for any other request.
    bool EndedWithHeader();
    /// The server closed before the length its header announced.
    bool BodyCutShort() const;
    void LineTooLong();
    void BodyChunk(const char* data, std::size_t length);
    void SessionClosed(int error);
    void RelocationClosed();
    void EndOfStream();
    void Fail(int statusCode, std::string reason, int requestError);
    void CloseConnection();
    void TimedOut();
    void PostForThisRequest(std::function<void()> call);

    MessageQueue& m_queue;
    std::unique_ptr<HostResolver> m_ownResolver;
    HostResolver* m_resolver = nullptr;
    std::unique_ptr<TWSocket> m_socket;
    std::shared_ptr<TlsContext> m_tlsContext;
    Pump m_pump;

    THttpState m_state = THttpState::httpReady;
    THttpRequest m_request = THttpRequest::httpGET;
    int m_statusCode = 0;
    std::string m_reasonPhrase;
    long long m_contentLength = -1;
    /// The "content-length" of the hop under way (`ContentLength` keeps earlier hops').
    long long m_bodyLength = -1;
    std::string m_contentType;
    std::string m_location;
    std::string m_docName;
    std::vector<std::string> m_rcvdHeader;

    RequestTarget m_target;
    std::vector<std::string> m_addresses;
    std::size_t m_nextAddress = 0;
    bool m_relocationPending = false;
    RequestTarget m_relocationTarget;
    int m_relocations = 0;
    /// A relocation hop has closed its connection and the next one is to start.
    bool m_restartPending = false;
    /// The request has ended; only the posted change to `httpReady` is to come.
    bool m_finished = false;
    bool m_connected = false;
    ClosedHandler m_closedHandler = ClosedHandler::Normal;
    int m_headerLines = 0;
    std::size_t m_headerBytes = 0;
    int m_bodyChunks = 0;
    std::size_t m_rcvdCount = 0;
    int m_requestDoneError = 0;
    std::optional<std::pair<std::string, int>> m_raise;
    LineReader m_reader;
    std::string m_postChunk;
    bool m_postDone = false;
    MessageQueue::Id m_timer = 0;
    std::chrono::steady_clock::time_point m_deadline;
    MessageQueue::Id m_connectTimer = 0;
    /// Changes with every request, so a message posted for an older one is dropped.
    std::uint64_t m_requestSerial = 0;
    std::shared_ptr<THttpCli*> m_self;
};
