// The request side: starting a request, looking the server up, connecting, sending the
// request header and a POST body, and starting again after a redirection.

#include "transport/HttpProt/DocName.h"
#include "transport/HttpProt/FireEvent.h"
#include "transport/HttpProt/HttpCli.h"
#include "transport/HttpProt/RequestHeader.h"
#include "transport/HttpProt/UrlRoutines.h"
#include "transport/WSocket/LongestWait.h"
#include "transport/WSocket/SocketErrors.h"
#include "transport/WSocket/SocksNegotiation.h"

namespace vantorell::transport {
namespace {

// While it lives, the socket raises its errors instead of reporting them through
// OnError, so that the step that started an operation sees its failure.
class RaisingSocketErrors {
public:
    explicit RaisingSocketErrors(TWSocket& socket) : socket_(socket), saved_(socket.OnError) {
        socket_.OnError = nullptr;
    }
    ~RaisingSocketErrors() { socket_.OnError = saved_; }
    RaisingSocketErrors(const RaisingSocketErrors&) = delete;
    RaisingSocketErrors& operator=(const RaisingSocketErrors&) = delete;

private:
    TWSocket& socket_;
    TNotifyEvent saved_;
};

// Bytes from the stream's position to its end; -1 when the stream cannot tell.
std::int64_t RemainingSize(std::istream& stream) {
    const auto position = stream.tellg();
    if (position < 0) {
        return -1;
    }
    stream.seekg(0, std::ios::end);
    const auto end = stream.tellg();
    stream.seekg(position);
    if (end < 0 || !stream) {
        stream.clear();
        return -1;
    }
    return static_cast<std::int64_t>(end - position);
}

}  // namespace

void THttpCli::Get() {
    DoRequestSync(httpGET);
}

void THttpCli::Post() {
    DoRequestSync(httpPOST);
}

void THttpCli::Head() {
    DoRequestSync(httpHEAD);
}

void THttpCli::GetASync() {
    DoRequestAsync(httpGET);
}

void THttpCli::PostASync() {
    DoRequestAsync(httpPOST);
}

void THttpCli::HeadASync() {
    DoRequestAsync(httpHEAD);
}

void THttpCli::Progress() {
    FDeadline = std::chrono::steady_clock::now() +
                (FTimeout > 0 ? std::chrono::seconds(FTimeout) : kLongestWait);
}

void THttpCli::InternalClear() {
    FRcvdHeader.clear();
    FAuthenticationList.clear();
    FRequestDoneError = 0;
    FDocName.clear();
    FStatusCode = 0;
    FReasonPhrase.clear();
    FRcvdCount = 0;
    FSentCount = 0;
    FHeaderLineCount = 0;
    FBodyLineCount = 0;
    FContentLength = -1;
    FContentType.clear();
    FAllowedToSend = false;
    FLocation = FURL;
    // Bytes of an earlier, aborted response are not this one's.
    FReceiveLen = 0;
    FReceiveBuffer[0] = '\0';
    FLocationFlag = false;
    FHeaderFlag = false;
    FConnected = false;
    FNext = nullptr;
    FFinished = false;
    FFailed = false;
    FBodyPhase = false;
    FChunked = false;
    FChunkedBody.Reset();
    FRedirectSupported = true;
    FRedirectOtherServer = false;
    FRedirections = 0;
    FSendCredentials = true;
    FHeaderBytes = 0;
    FLineRefused = false;
}

void THttpCli::DoRequestAsync(THttpRequest Rq) {
    if (FState != httpReady) {
        throw EHttpException("HTTP component is busy", 1);
    }
    std::int64_t postSize = 0;
    if (Rq == httpPOST) {
        if (FSendStream == nullptr) {
            throw EHttpException("HTTP component has nothing to post", 2);
        }
        postSize = RemainingSize(*FSendStream);
        if (postSize < 0) {
            throw EHttpException("HTTP component cannot tell the size of what to post", 2);
        }
    }
    ++FGeneration;
    FCtrlSocket->OnSessionClosed = [this](TObject* S, TWord E) { SocketSessionClosed(S, E); };
    StateChange(httpNotConnected);
    FRequestType = Rq;
    InternalClear();
    FPostSize = postSize;

    FWhere = HttpRequestTarget(FURL, FProxy, FProxyPort);
    if (!FWhere.User.empty()) {
        FUsername = FWhere.User;
    }
    if (!FWhere.Pass.empty()) {
        FPassword = FWhere.Pass;
    }
    FDocName = FWhere.OriginPath;
    AdjustDocName();
    Progress();
    Login();
}

void THttpCli::Login() {
    FDnsResult.clear();
    StateChange(httpDnsLookup);
    try {
        RaisingSocketErrors raising(*FCtrlSocket);
        FCtrlSocket->SetLocalAddr(FLocalAddr);
        FCtrlSocket->DnsLookup(FWhere.HostName);
    } catch (const std::exception& E) {
        FireEvent(OnSocketError, this);
        const int error = FCtrlSocket->LastError();
        LocalFailure(E.what(), static_cast<TWord>(error != 0 ? error : httpErrLocal));
        FConnected = false;
        FFinished = true;
        StateChange(httpReady);
    }
}

void THttpCli::Logout() {
    FCtrlSocket->Close();
    FConnected = false;
}

void THttpCli::SocketDNSLookupDone(TObject* Sender, TWord Error) {
    if (FFinished || FState == httpAborting) {
        return;
    }
    if (Error != 0) {
        FRequestDoneError = Error;
        LocalFailure("can't resolve hostname to IP address", Error);
        SocketSessionClosed(Sender, Error);
        return;
    }
    Progress();
    FDnsResult = FCtrlSocket->DnsResult();
    StateChange(httpDnsLookupDone);
    if (Ended()) {
        return;  // a handler of the state change ended the request
    }
    TWSocket& socket = *FCtrlSocket;
    try {
        RaisingSocketErrors raising(socket);
        ApplySocksSettings();
        socket.SetAddr(FDnsResult);
        socket.SetLocalAddr(FLocalAddr);
        socket.SetPort(FWhere.Port);
        socket.SetProto("tcp");
        socket.Connect();
    } catch (const std::exception& E) {
        FireEvent(OnSocketError, this);
        const int error = socket.LastError();
        LocalFailure("can't connect: " + (error != 0 ? WSocketErrorDesc(error) + " (Error #" +
                                                           std::to_string(error) + ")"
                                                     : std::string(E.what())),
                     static_cast<TWord>(error != 0 ? error : httpErrLocal));
        // Closed quietly: the failure is reported once, below.
        socket.OnSessionClosed = nullptr;
        socket.Close();
        socket.OnSessionClosed = [this](TObject* S, TWord E2) { SocketSessionClosed(S, E2); };
        SocketSessionClosed(Sender, static_cast<TWord>(error));
    }
}

std::string THttpCli::ConnectFailureText(TWord Error) const {
    // A SOCKS server's refusal is told in its own words.
    if (IsSocksError(Error) && !FSocksErrorText.empty()) {
        return FSocksErrorText + " (Error #" + std::to_string(Error) + ")";
    }
    return WSocketErrorDesc(Error) + " (Error #" + std::to_string(Error) + ")";
}

void THttpCli::SocketSessionConnected(TObject* Sender, TWord Error) {
    if (FFinished) {
        return;
    }
    if (Error != 0) {
        LocalFailure(ConnectFailureText(Error), Error);
        SocketSessionClosed(Sender, Error);
        return;
    }
    Progress();
    FConnected = true;
    StateChange(httpConnected);
    TriggerSessionConnected();
    FNext = &THttpCli::GetHeaderLineNext;
    StateChange(httpWaitingHeader);
    if (Ended()) {
        return;
    }
    try {
        switch (FRequestType) {
            case httpPOST:
                SendRequest("POST", "1.0");
                if (!FFinished) {
                    TriggerSendBegin();
                    FAllowedToSend = true;
                    SocketDataSent(FCtrlSocket.get(), 0);
                }
                break;
            case httpHEAD:
                SendRequest("HEAD", "1.0");
                break;
            default:
                SendRequest("GET", "1.0");
                break;
        }
    } catch (const std::exception& E) {
        Fail(E.what(), httpErrLocal);
    }
}

void THttpCli::SendRequest(const std::string& Method, const std::string& Version) {
    FRequestStream.clear();
    FLineRefused = false;
    TriggerRequestHeaderBegin();

    THttpRequestFields fields;
    fields.Method = Method;
    fields.Path = EncodeRequestTarget(FWhere.Path);
    fields.Version = Version;
    fields.Sender = FSender;
    fields.Accept = FAccept;
    fields.Reference = FReference;
    fields.AcceptLanguage = FAcceptLanguage;
    fields.ContentTypePost = FContentTypePost;
    fields.Agent = FAgent;
    fields.TargetHost = FWhere.TargetHost;
    fields.TargetPort = FWhere.TargetPort;
    fields.NoCache = FNoCache;
    fields.PostSize = FPostSize;
    fields.ModifiedSince = FModifiedSince;
    // The server's credentials go only to the server they were given for.
    if (FSendCredentials) {
        fields.Username = FUsername;
        fields.Password = FPassword;
    }
    fields.ViaProxy = !FProxy.empty();
    fields.ProxyUsername = FProxyUsername;
    fields.ProxyPassword = FProxyPassword;
    fields.Cookie = FCookie;
    fields.RangeBegin = FContentRangeBegin;
    fields.RangeEnd = FContentRangeEnd;
    std::vector<std::string> lines = BuildRequestLines(fields);
    FContentRangeBegin.clear();
    FContentRangeEnd.clear();
    FAcceptRanges.clear();

    TriggerBeforeHeaderSend(Method, lines);
    for (const auto& line : lines) {
        SendCommand(line);
    }
    TriggerRequestHeaderEnd();
    SendCommand(std::string());
    if (FLineRefused) {
        FRequestStream.clear();
        Fail("request refused: a header line holds a line break or NUL", httpErrLocal);
        return;
    }
    FCtrlSocket->SendStr(FRequestStream);
    FRequestStream.clear();
}

void THttpCli::SendCommand(const std::string& Cmd) {
    std::string S = MaskCredentials(Cmd);
    const bool masked = S != Cmd;
    FireEvent(OnCommand, this, S);
    if (masked && S == MaskCredentials(Cmd)) {
        S = Cmd;
    }
    // A line that a handler emptied is left out: an empty line would end the header.
    if (!S.empty()) {
        if (HasLineBreak(S)) {
            FLineRefused = true;
        } else {
            FRequestStream += S;
            FRequestStream += "\r\n";
        }
    }
    if (Cmd.empty()) {
        FRequestStream += "\r\n";
    }
}

void THttpCli::SocketDataSent(TObject*, TWord) {
    if (!FAllowedToSend || FFinished) {
        return;
    }
    Progress();
    const std::int64_t left = FPostSize - FSentCount;
    std::streamsize count = 0;
    if (left > 0) {
        FSendStream->read(
            FSendBuffer, static_cast<std::streamsize>(std::min<std::int64_t>(left, kHttpSendSize)));
        count = FSendStream->gcount();
        if (FSendStream->bad()) {
            Fail("cannot read the data to post", httpErrLocal);
            return;
        }
    }
    if (count <= 0) {
        FAllowedToSend = false;
        TriggerSendEnd();
        return;
    }
    FSentCount += count;
    TriggerSendData(FSendBuffer, static_cast<int>(count));
    FCtrlSocket->Send(FSendBuffer, static_cast<int>(count));
}

void THttpCli::LocationSessionClosed(TObject*, TWord) {
    FConnected = false;
    FLocationFlag = false;
    FDocName = FWhere.OriginPath;
    AdjustDocName();
    if (FRequestType == httpPOST) {
        FRequestType = httpGET;
    }
    FCtrlSocket->OnSessionClosed = [this](TObject* S, TWord E) { SocketSessionClosed(S, E); };
    // Credentials of the new URL go with it; the caller's go only to the first server.
    if (!FWhere.User.empty()) {
        FUsername = FWhere.User;
        FPassword = FWhere.Pass;
        FSendCredentials = true;
    } else if (FRedirectOtherServer) {
        FSendCredentials = false;
    }
    FireEvent(OnLocationChange, this);
    FRcvdHeader.clear();
    FAuthenticationList.clear();
    FHeaderLineCount = 0;
    FBodyLineCount = 0;
    FContentType.clear();
    FStatusCode = 0;
    FReasonPhrase.clear();
    FContentLength = -1;
    FReceiveLen = 0;
    FHeaderBytes = 0;
    FChunked = false;
    FChunkedBody.Reset();
    FRedirectSupported = true;
    FRedirectOtherServer = false;
    FNext = nullptr;
    Progress();
    PostMessage(FWindowHandle, WM_HTTP_LOGIN, FGeneration, 0);
}

}  // namespace vantorell::transport
