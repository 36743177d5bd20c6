// The client object: construction, its window and messages, state changes, the events and
// the settings it passes to its socket.

#include "transport/HttpProt/HttpCli.h"

#include "transport/HttpProt/DocName.h"
#include "transport/HttpProt/FireEvent.h"

namespace vantorell::transport {

THttpCli::THttpCli() {
    HTTPCliAllocateHWnd();
    try {
        FCtrlSocket = std::make_unique<TWSocket>();
    } catch (...) {
        HTTPCliDeallocateHWnd();  // no destructor runs for a client never made
        throw;
    }
    TWSocket& socket = *FCtrlSocket;
    socket.OnSessionClosed = [this](TObject* S, TWord E) { SocketSessionClosed(S, E); };
    socket.OnDataAvailable = [this](TObject* S, TWord E) { SocketDataAvailable(S, E); };
    socket.OnSessionConnected = [this](TObject* S, TWord E) { SocketSessionConnected(S, E); };
    socket.OnDataSent = [this](TObject* S, TWord E) { SocketDataSent(S, E); };
    socket.OnDnsLookupDone = [this](TObject* S, TWord E) { SocketDNSLookupDone(S, E); };
    socket.OnSocksError = [this](TObject* S, int Error, const std::string& Msg) {
        FSocksErrorText = Msg;
        FireEvent(OnSocksError, S, Error, Msg);
    };
    socket.OnSocksConnected = [this](TObject* S, TWord Error) {
        FireEvent(OnSocksConnected, S, Error);
    };
    socket.OnError = [this](TObject*) { FireEvent(OnSocketError, this); };
    FState = httpReady;
    FLocalAddr = "0.0.0.0";
}

THttpCli::~THttpCli() {
    // Nothing the socket reports while it goes may reach a client that is going.
    TWSocket& socket = *FCtrlSocket;
    socket.OnSessionClosed = nullptr;
    socket.OnDataAvailable = nullptr;
    socket.OnSessionConnected = nullptr;
    socket.OnDataSent = nullptr;
    socket.OnDnsLookupDone = nullptr;
    socket.OnSocksError = nullptr;
    socket.OnSocksConnected = nullptr;
    socket.OnError = nullptr;
    FCtrlSocket.reset();
    HTTPCliDeallocateHWnd();
}

void THttpCli::HTTPCliAllocateHWnd() {
    FWindowHandle = AllocateHWnd([this](TMessage& MsgRec) { WndProc(MsgRec); });
}

void THttpCli::HTTPCliDeallocateHWnd() {
    if (FWindowHandle != nullptr) {
        DeallocateHWnd(FWindowHandle);
        FWindowHandle = nullptr;
    }
}

void THttpCli::WndProc(TMessage& MsgRec) {
    switch (MsgRec.Msg) {
        case WM_HTTP_REQUEST_DONE:
            WMHttpRequestDone(MsgRec);
            break;
        case WM_HTTP_SET_READY:
            WMHttpSetReady(MsgRec);
            break;
        case WM_HTTP_LOGIN:
            WMHttpLogin(MsgRec);
            break;
        default:
            MsgRec.Result = 0;
            break;
    }
}

// The request type and error word travel with the message, so that a request started
// from an earlier handler does not change what this one reports.
void THttpCli::WMHttpRequestDone(TMessage& msg) {
    FireEvent(OnRequestDone, this, static_cast<THttpRequest>(msg.WParam),
              static_cast<TWord>(msg.LParam));
}

// Messages of an earlier request (ended by Abort) are not this one's.
void THttpCli::WMHttpSetReady(TMessage& msg) {
    if (msg.WParam == FGeneration) {
        StateChange(httpReady);
    }
}

void THttpCli::WMHttpLogin(TMessage& msg) {
    if (msg.WParam == FGeneration && FState != httpReady) {
        Login();
    }
}

void THttpCli::SetReady() {
    PostMessage(FWindowHandle, WM_HTTP_SET_READY, FGeneration, 0);
}

void THttpCli::TriggerRequestDone() {
    PostMessage(FWindowHandle, WM_HTTP_REQUEST_DONE, static_cast<WPARAM>(FRequestType),
                static_cast<LPARAM>(FRequestDoneError));
}

void THttpCli::StateChange(THttpState NewState) {
    if (FState == NewState) {
        return;
    }
    FState = NewState;
    TriggerStateChange();
    if (NewState == httpReady) {
        TriggerRequestDone();
    }
}

void THttpCli::SetMultiThreaded(bool Value) {
    FMultiThreaded = Value;
    FCtrlSocket->SetMultiThreaded(Value);
}

// The socket checks a value (and refuses it while it is open); the client keeps what
// the socket took, since the socket forgets its SOCKS settings at every close.
void THttpCli::SetSocksSetting(void (TCustomSocksWSocket::*Set)(const std::string&),
                               const std::string& (TCustomSocksWSocket::*Get)() const,
                               std::string& Kept, const std::string& Value) {
    TCustomSocksWSocket& socket = *FCtrlSocket;
    const bool closed = socket.State() == wsClosed;
    (socket.*Set)(Value);
    if (closed) {
        Kept = (socket.*Get)();
    }
}

void THttpCli::SetSocksServer(const std::string& Value) {
    SetSocksSetting(&TCustomSocksWSocket::SetSocksServer, &TCustomSocksWSocket::SocksServer,
                    FSocksServer, Value);
}

void THttpCli::SetSocksLevel(const std::string& Value) {
    SetSocksSetting(&TCustomSocksWSocket::SetSocksLevel, &TCustomSocksWSocket::SocksLevel,
                    FSocksLevel, Value);
}

void THttpCli::SetSocksPort(const std::string& Value) {
    SetSocksSetting(&TCustomSocksWSocket::SetSocksPort, &TCustomSocksWSocket::SocksPort, FSocksPort,
                    Value);
}

void THttpCli::ApplySocksSettings() {
    TWSocket& socket = *FCtrlSocket;
    socket.SetSocksServer(FSocksServer);
    socket.SetSocksPort(FSocksPort);
    socket.SetSocksLevel(FSocksLevel);
    socket.SetSocksUsercode(FSocksUsercode);
    socket.SetSocksPassword(FSocksPassword);
    socket.SetSocksAuthentication(FSocksAuthentication);
}

void THttpCli::AdjustDocName() {
    FDocName = transport::AdjustDocName(FDocName);
}

void THttpCli::TriggerStateChange() {
    FireEvent(OnStateChange, this);
}

void THttpCli::TriggerCookie(const std::string& Data, bool& Accept) {
    FireEvent(OnCookie, this, Data, Accept);
}

void THttpCli::TriggerSessionConnected() {
    FireEvent(OnSessionConnected, this);
}

void THttpCli::TriggerBeforeHeaderSend(const std::string& Method,
                                       std::vector<std::string>& Headers) {
    FireEvent(OnBeforeHeaderSend, this, Method, Headers);
}

void THttpCli::TriggerRequestHeaderBegin() {
    FireEvent(OnRequestHeaderBegin, this);
}

void THttpCli::TriggerRequestHeaderEnd() {
    FireEvent(OnRequestHeaderEnd, this);
}

void THttpCli::TriggerHeaderBegin() {
    FHeaderFlag = true;
    FireEvent(OnHeaderBegin, this);
}

void THttpCli::TriggerHeaderEnd() {
    FHeaderFlag = false;
    FireEvent(OnHeaderEnd, this);
}

void THttpCli::TriggerDocBegin() {
    FireEvent(OnDocBegin, this);
}

void THttpCli::TriggerDocData(const void* Data, int Len) {
    FireEvent(OnDocData, this, Data, Len);
}

void THttpCli::TriggerDocEnd() {
    FireEvent(OnDocEnd, this);
}

void THttpCli::TriggerSendBegin() {
    FireEvent(OnSendBegin, this);
}

void THttpCli::TriggerSendData(const void* Data, int Len) {
    FireEvent(OnSendData, this, Data, Len);
}

void THttpCli::TriggerSendEnd() {
    FireEvent(OnSendEnd, this);
}

}  // namespace vantorell::transport
