#pragma once
// THttpCli: the HTTP/1.0 client. Each request (GET, POST or HEAD) opens a new connection
// through its socket, directly, through an HTTP proxy or through a SOCKS server, sends the
// request header built from the properties, reads the status line and the header,
// follows redirections, and hands the document to RcvdStream and to OnDocData until it is
// complete. The event-driven forms return at once and end in OnRequestDone, posted through
// the client's own window; the blocking forms let the thread's events run until the
// request has ended, or until it has made no progress for Timeout seconds.
//
// What the server sends is checked before it is used: header lines and the whole header
// have limits, lengths and chunk sizes are parsed strictly, and a document that ends
// early is a failure. Failures on the client's side end the request like a response of
// status 404 with a reason phrase of the client's own, and an error word in
// RequestDoneError (a socket error, a SOCKS code, or one of the codes below).

#include <chrono>
#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "transport/HttpProt/ChunkedBody.h"
#include "transport/HttpProt/HttpTarget.h"
#include "transport/HttpProt/HttpTypes.h"
#include "transport/WSocket/WSocket.h"

namespace vantorell::transport {

// Messages of the client's window.
inline constexpr unsigned WM_HTTP_REQUEST_DONE = WM_USER + 1;
inline constexpr unsigned WM_HTTP_SET_READY = WM_USER + 2;
inline constexpr unsigned WM_HTTP_LOGIN = WM_USER + 3;

// Error words of the client's own failures.
inline constexpr TWord httpErrAborted = 3;      // Abort, or the application quitting
inline constexpr TWord httpErrLineTooLong = 4;  // a header line or the header too long
inline constexpr TWord httpErrBadResponse = 5;  // not a valid HTTP response
inline constexpr TWord httpErrTruncated = 6;    // the document ended before its end
inline constexpr TWord httpErrRedirection = 7;  // a redirection that is not followed
inline constexpr TWord httpErrLocal = 8;        // the request or its streams failed here
inline constexpr TWord httpErrTimeout = 10060;  // no progress for Timeout seconds

inline constexpr int kHttpReceiveSize = 8192;
// The document's bytes are taken from the system in pieces of up to this size: each piece
// costs a system call and a pass through the stream.
inline constexpr int kHttpBodyChunk = 1 << 18;
inline constexpr int kHttpSendSize = 8193;
inline constexpr std::size_t kHttpMaxHeader = 65536;
inline constexpr int kHttpMaxRedirections = 20;

class THttpCli : public TObject {
public:
    THttpCli();
    ~THttpCli() override;
    THttpCli(const THttpCli&) = delete;
    THttpCli& operator=(const THttpCli&) = delete;

    // Blocking requests: they raise EHttpException for a busy client, for nothing to post,
    // and when the request ends with a status of 400 or more (every local failure).
    void Get();
    void Post();
    void Head();
    // Event-driven requests; they raise only for a busy client or nothing to post.
    void GetASync();
    void PostASync();
    void HeadASync();
    // Ends the running request as "Connection aborted on request".
    void Abort();

    // What the request reached.
    THttpState State() const { return FState; }
    THttpRequest RequestType() const { return FRequestType; }
    int StatusCode() const { return FStatusCode; }
    const std::string& ReasonPhrase() const { return FReasonPhrase; }
    TWord RequestDoneError() const { return FRequestDoneError; }
    std::int64_t ContentLength() const { return FContentLength; }
    const std::string& ContentType() const { return FContentType; }
    const std::string& AcceptRanges() const { return FAcceptRanges; }
    const std::vector<std::string>& RcvdHeader() const { return FRcvdHeader; }
    const std::vector<std::string>& AuthenticationList() const { return FAuthenticationList; }
    std::int64_t RcvdCount() const { return FRcvdCount; }
    std::int64_t SentCount() const { return FSentCount; }
    const std::string& DocName() const { return FDocName; }
    const std::string& Location() const { return FLocation; }
    const std::string& HostName() const { return FWhere.HostName; }
    const std::string& TargetHost() const { return FWhere.TargetHost; }
    const std::string& Port() const { return FWhere.Port; }
    const std::string& Path() const { return FWhere.Path; }
    const std::string& DnsResult() const { return FDnsResult; }
    const std::string& LastResponse() const { return FLastResponse; }
    bool Connected() const { return FConnected; }

    // What the request asks for.
    const std::string& URL() const { return FURL; }
    void SetURL(const std::string& Value) { FURL = Value; }
    const std::string& Proxy() const { return FProxy; }
    void SetProxy(const std::string& Value) { FProxy = Value; }
    const std::string& ProxyPort() const { return FProxyPort; }
    void SetProxyPort(const std::string& Value) { FProxyPort = Value; }
    const std::string& Username() const { return FUsername; }
    void SetUsername(const std::string& Value) { FUsername = Value; }
    const std::string& Password() const { return FPassword; }
    void SetPassword(const std::string& Value) { FPassword = Value; }
    const std::string& ProxyUsername() const { return FProxyUsername; }
    void SetProxyUsername(const std::string& Value) { FProxyUsername = Value; }
    const std::string& ProxyPassword() const { return FProxyPassword; }
    void SetProxyPassword(const std::string& Value) { FProxyPassword = Value; }
    const std::string& LocalAddr() const { return FLocalAddr; }
    void SetLocalAddr(const std::string& Value) { FLocalAddr = Value; }
    const std::string& Sender() const { return FSender; }
    void SetSender(const std::string& Value) { FSender = Value; }
    const std::string& Reference() const { return FReference; }
    void SetReference(const std::string& Value) { FReference = Value; }
    const std::string& Agent() const { return FAgent; }
    void SetAgent(const std::string& Value) { FAgent = Value; }
    const std::string& Accept() const { return FAccept; }
    void SetAccept(const std::string& Value) { FAccept = Value; }
    const std::string& AcceptLanguage() const { return FAcceptLanguage; }
    void SetAcceptLanguage(const std::string& Value) { FAcceptLanguage = Value; }
    double ModifiedSince() const { return FModifiedSince; }
    void SetModifiedSince(double Value) { FModifiedSince = Value; }
    bool NoCache() const { return FNoCache; }
    void SetNoCache(bool Value) { FNoCache = Value; }
    const std::string& ContentTypePost() const { return FContentTypePost; }
    void SetContentTypePost(const std::string& Value) { FContentTypePost = Value; }
    const std::string& ContentRangeBegin() const { return FContentRangeBegin; }
    void SetContentRangeBegin(const std::string& Value) { FContentRangeBegin = Value; }
    const std::string& ContentRangeEnd() const { return FContentRangeEnd; }
    void SetContentRangeEnd(const std::string& Value) { FContentRangeEnd = Value; }
    const std::string& Cookie() const { return FCookie; }
    void SetCookie(const std::string& Value) { FCookie = Value; }
    // Set and owned by the caller: where the document goes, and the body of a POST (sent
    // from its current position to its end).
    std::ostream* RcvdStream() const { return FRcvdStream; }
    void SetRcvdStream(std::ostream* Value) { FRcvdStream = Value; }
    std::istream* SendStream() const { return FSendStream; }
    void SetSendStream(std::istream* Value) { FSendStream = Value; }
    // Seconds a blocking request may go without progress; 0 or less: the longest wait of
    // the transport (kLongestWait).
    int Timeout() const { return FTimeout; }
    void SetTimeout(int Value) { FTimeout = Value; }
    bool MultiThreaded() const { return FMultiThreaded; }
    virtual void SetMultiThreaded(bool Value);

    // SOCKS settings, checked by the socket and given to it before every connection.
    const std::string& SocksServer() const { return FSocksServer; }
    void SetSocksServer(const std::string& Value);
    const std::string& SocksLevel() const { return FSocksLevel; }
    void SetSocksLevel(const std::string& Value);
    const std::string& SocksPort() const { return FSocksPort; }
    void SetSocksPort(const std::string& Value);
    const std::string& SocksUsercode() const { return FSocksUsercode; }
    void SetSocksUsercode(const std::string& Value) { FSocksUsercode = Value; }
    const std::string& SocksPassword() const { return FSocksPassword; }
    void SetSocksPassword(const std::string& Value) { FSocksPassword = Value; }
    TSocksAuthentication SocksAuthentication() const { return FSocksAuthentication; }
    void SetSocksAuthentication(TSocksAuthentication Value) { FSocksAuthentication = Value; }

    HWND Handle() const { return FWindowHandle; }

    TNotifyEvent OnStateChange;
    TNotifyEvent OnSessionConnected;
    TNotifyEvent OnRequestHeaderBegin;
    TNotifyEvent OnRequestHeaderEnd;
    TNotifyEvent OnHeaderBegin;
    TNotifyEvent OnHeaderEnd;
    TNotifyEvent OnHeaderData;
    TNotifyEvent OnDocBegin;
    TNotifyEvent OnDocEnd;
    TDocDataEvent OnDocData;
    TNotifyEvent OnSendBegin;
    TNotifyEvent OnSendEnd;
    TDocDataEvent OnSendData;
    TNotifyEvent OnTrace;
    // Sees each request line before it goes out; the credentials of an authorization line
    // are shown masked, and a line left as it was shown goes out as it was.
    TOnCommand OnCommand;
    TCookieRcvdEvent OnCookie;
    // Lines received outside a response (not set by the system).
    TDocDataEvent OnDataAvailable;
    THttpRequestDone OnRequestDone;
    TNotifyEvent OnLocationChange;
    TSessionConnected OnSocksConnected;
    TSocksAuthStateEvent OnSocksAuthState;
    TSocksErrorEvent OnSocksError;
    TNotifyEvent OnSocketError;
    TBeforeHeaderSendEvent OnBeforeHeaderSend;

protected:
    using TNextProc = void (THttpCli::*)();

    virtual void GetHeaderLineNext();
    virtual void GetBodyLineNext();
    virtual void SendCommand(const std::string& Cmd);
    virtual void Login();
    virtual void Logout();
    virtual void InternalClear();
    virtual void SocketDNSLookupDone(TObject* Sender, TWord Error);
    virtual void SocketSessionClosed(TObject* Sender, TWord Error);
    virtual void SocketSessionConnected(TObject* Sender, TWord Error);
    virtual void SocketDataSent(TObject* Sender, TWord Error);
    virtual void SocketDataAvailable(TObject* Sender, TWord Error);
    virtual void LocationSessionClosed(TObject* Sender, TWord Error);
    virtual void DoRequestAsync(THttpRequest Rq);
    virtual void DoRequestSync(THttpRequest Rq);
    virtual void StateChange(THttpState NewState);
    virtual void TriggerStateChange();
    virtual void TriggerCookie(const std::string& Data, bool& Accept);
    virtual void TriggerSessionConnected();
    virtual void TriggerBeforeHeaderSend(const std::string& Method,
                                         std::vector<std::string>& Headers);
    virtual void TriggerRequestHeaderBegin();
    virtual void TriggerRequestHeaderEnd();
    virtual void TriggerHeaderBegin();
    virtual void TriggerHeaderEnd();
    virtual void TriggerDocBegin();
    virtual void TriggerDocData(const void* Data, int Len);
    virtual void TriggerDocEnd();
    virtual void TriggerSendBegin();
    virtual void TriggerSendData(const void* Data, int Len);
    virtual void TriggerSendEnd();
    virtual void TriggerRequestDone();
    virtual void WndProc(TMessage& MsgRec);
    virtual void SetReady();
    virtual void AdjustDocName();
    virtual void HTTPCliAllocateHWnd();
    virtual void HTTPCliDeallocateHWnd();

    void SendRequest(const std::string& Method, const std::string& Version);
    void WMHttpRequestDone(TMessage& msg);
    void WMHttpSetReady(TMessage& msg);
    void WMHttpLogin(TMessage& msg);

    std::unique_ptr<TWSocket> FCtrlSocket;
    HWND FWindowHandle = nullptr;
    bool FMultiThreaded = false;
    THttpState FState = httpReady;
    std::string FLocalAddr = "0.0.0.0";
    THttpWhere FWhere;
    std::string FProxy;
    std::string FProxyPort = "80";
    std::string FUsername;
    std::string FPassword;
    std::string FProxyUsername;
    std::string FProxyPassword;
    std::string FLocation;
    bool FConnected = false;
    std::string FDnsResult;
    char FSendBuffer[kHttpSendSize] = {};
    THttpRequest FRequestType = httpAbort;
    char FReceiveBuffer[kHttpReceiveSize + 1] = {};
    int FReceiveLen = 0;
    std::vector<char> FBodyBuffer;  // made with the first document
    std::string FLastResponse;
    int FHeaderLineCount = 0;
    int FBodyLineCount = 0;
    bool FAllowedToSend = false;
    std::string FURL;
    std::string FDocName;
    std::string FSender;
    std::string FReference;
    std::string FAgent = "Mozilla/3.0 (compatible)";
    std::string FAccept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
    std::string FAcceptLanguage;
    double FModifiedSince = 0;
    bool FNoCache = false;
    int FStatusCode = 0;
    std::string FReasonPhrase;
    std::int64_t FContentLength = -1;
    std::string FContentType;
    std::vector<std::string> FAuthenticationList;
    std::string FContentTypePost = "application/x-www-form-urlencoded";
    std::string FContentRangeBegin;
    std::string FContentRangeEnd;
    std::string FAcceptRanges;
    std::string FCookie;
    bool FLocationFlag = false;
    bool FHeaderFlag = false;
    std::vector<std::string> FRcvdHeader;
    std::ostream* FRcvdStream = nullptr;
    std::int64_t FRcvdCount = 0;
    std::int64_t FSentCount = 0;
    std::istream* FSendStream = nullptr;
    std::string FRequestStream;
    TWord FRequestDoneError = 0;
    TNextProc FNext = nullptr;

    std::string FSocksServer;
    std::string FSocksLevel = "5";
    std::string FSocksPort;
    std::string FSocksUsercode;
    std::string FSocksPassword;
    TSocksAuthentication FSocksAuthentication = socksNoAuthentication;
    std::string FSocksErrorText;  // the text of the last SOCKS failure

    int FTimeout = 15;
    std::chrono::steady_clock::time_point FDeadline;

private:
    // One request's course, beyond the published state.
    void Progress();
    // The request has ended, or is being aborted.
    bool Ended() const { return FFinished || FState == httpReady || FState == httpAborting; }
    void LocalFailure(const std::string& Reason, TWord Error);
    void Fail(const std::string& Reason, TWord Error);
    void FinishRequest();
    void AbortRequest(const std::string& Reason, TWord Error);
    void WaitUntilReady();
    void ApplySocksSettings();
    void SetSocksSetting(void (TCustomSocksWSocket::*Set)(const std::string&),
                         const std::string& (TCustomSocksWSocket::*Get)() const, std::string& Kept,
                         const std::string& Value);
    void HeaderField(const std::string& Line);
    void HeaderEnded();
    void StartBody();
    bool BodyExpected() const;
    void BodyData(const char* Data, std::size_t Len);
    bool StoreBody(const char* Data, std::size_t Len);
    void DocumentComplete();
    void SessionClosedInHeader(TWord Error);
    std::string ConnectFailureText(TWord Error) const;

    unsigned FGeneration = 0;  // tags the messages posted for one request
    bool FFinished = true;     // the request's end has been set off
    bool FFailed = false;      // a local failure is recorded
    bool FBodyPhase = false;   // the header has ended and the document is read
    bool FChunked = false;
    TChunkedBody FChunkedBody;
    bool FRedirectSupported = true;
    bool FRedirectOtherServer = false;
    int FRedirections = 0;
    bool FSendCredentials = true;  // Username and Password go to this server
    std::size_t FHeaderBytes = 0;
    std::string FLastLineEnd;
    std::int64_t FPostSize = 0;
    bool FLineRefused = false;  // a request line carried a line break
};

}  // namespace vantorell::transport
