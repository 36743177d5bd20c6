// The socket object itself: construction, its hidden window and messages, exceptions,
// events, properties and message pumping.

#include "transport/WSocket/CustomWSocket.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <cstdarg>
#include <cstdio>

#include "platform/EventLoop.h"
#include "transport/WSocket/SocketResolve.h"
#include "transport/WSocket/WinsockApi.h"

namespace vantorell::transport {

TCustomWSocket::TCustomWSocket() {
    AllocateSocketHWnd();
    FMultiCastIpTTL = 1;
    AssignDefaultValue();
    ++WSocketGCount;
}

TCustomWSocket::~TCustomWSocket() {
    FDestroying = true;
    try {
        CancelDnsLookup();
    } catch (...) {
        // A lookup that cannot be cancelled ends with the window below.
    }
    if (FState != wsClosed) {
        try {
            Close();
        } catch (...) {
            // The object goes away whatever the socket says.
        }
    }
    if (--WSocketGCount < 1) {
        WSocketUnloadWinsock();
        WSocketGCount = 0;
    }
    FBufList.clear();
    DeallocateSocketHWnd();
}

void TCustomWSocket::AllocateSocketHWnd() {
    // Without an application object no message loop can ever run the window.
    if (QCoreApplication::instance() == nullptr) {
        RaiseException("Cannot create a hidden window for TWSocket");
        return;
    }
    FThreadId = std::this_thread::get_id();
    FWindowHandle = AllocateHWnd([this](TMessage& MsgRec) { WndProc(MsgRec); });
}

void TCustomWSocket::DeallocateSocketHWnd() {
    if (FWindowHandle != nullptr) {
        DeallocateHWnd(FWindowHandle);
        FWindowHandle = nullptr;
    }
}

void TCustomWSocket::ThreadDetach() {
    if (std::this_thread::get_id() != FThreadId) {
        RaiseException("Cannot detach from other thread");
        return;
    }
    if (FHSocket != INVALID_SOCKET) {
        WSocket_WSAAsyncSelect(FHSocket, FWindowHandle, 0, 0);
    }
    DeallocateSocketHWnd();
}

void TCustomWSocket::ThreadAttach() {
    if (FWindowHandle != nullptr) {
        RaiseException("Cannot attach when not detached");
        return;
    }
    AllocateSocketHWnd();
    if (FHSocket != INVALID_SOCKET) {
        WSocket_WSAAsyncSelect(FHSocket, FWindowHandle, WM_ASYNCSELECT, FSelectEvent);
    }
}

void TCustomWSocket::AssignDefaultValue() {
    sin = TSockAddrIn{};
    sin.sin_family = WSOCK_AF_INET;
    FAddrFormat = WSOCK_AF_INET;
    FPortAssigned = false;
    FAddrAssigned = false;
    FAddrResolved = false;
    FPortResolved = false;
    FProtoResolved = false;
    FLocalPortResolved = false;
    FProtoAssigned = true;
    FProto = WSOCK_IPPROTO_TCP;
    FProtoStr = std::string("tcp");
    FType = WSOCK_SOCK_STREAM;
    FLocalPortStr = std::string("0");
    FLocalAddr = std::string("0.0.0.0");
    FLingerOnOff = wsLingerOn;
    FLingerTimeout = 0;
    FHSocket = INVALID_SOCKET;
    FSelectEvent = 0;
    FState = wsClosed;
    FAllSent = true;
    FPaused = false;
    FReadCount = 0;
    FCloseInvoked = false;
    FFlushTimeout = 60;
}

void TCustomWSocket::WndProc(TMessage& MsgRec) {
    try {
        switch (MsgRec.Msg) {
            case WM_ASYNCSELECT:
                WMASyncSelect(MsgRec);
                break;
            case WM_ASYNCGETHOSTBYNAME:
                WMAsyncGetHostByName(MsgRec);
                break;
            case WM_ASYNCGETHOSTBYADDR:
                WMAsyncGetHostByAddr(MsgRec);
                break;
            case WM_CLOSE_DELAYED:
                WMCloseDelayed(MsgRec);
                break;
            case WM_WSOCKET_RELEASE:
                WMRelease(MsgRec);
                break;
            case WM_TRIGGER_EXCEPTION:
                throw ESocketException("Test exception in WSocket");
            default:
                MsgRec.Result = 0;
                break;
        }
    } catch (const std::exception& E) {
        HandleBackGroundException(E);
    }
}

void TCustomWSocket::WMCloseDelayed(TMessage&) {
    Close();
}

void TCustomWSocket::WMRelease(TMessage&) {
    delete this;
}

void TCustomWSocket::CloseDelayed() {
    PostMessage(FWindowHandle, WM_CLOSE_DELAYED, 0, 0);
}

void TCustomWSocket::Release() {
    PostMessage(FWindowHandle, WM_WSOCKET_RELEASE, 0, 0);
}

void TCustomWSocket::HandleBackGroundException(const std::exception& E) {
    bool CanClose = true;
    if (OnBgException) {
        try {
            const auto handler = OnBgException;
            handler(this, E, CanClose);
        } catch (...) {
            // A failing handler must not take the message loop down.
        }
    }
    if (CanClose) {
        try {
            Abort();
        } catch (...) {
            // Nothing more can be done for the socket.
        }
    }
}

void TCustomWSocket::RaiseException(const std::string& Msg) {
    if (OnError) {
        TriggerError();
        return;
    }
    throw ESocketException(Msg);
}

void TCustomWSocket::RaiseExceptionFmt(const char* Fmt, ...) {
    va_list args;
    va_start(args, Fmt);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, Fmt, copy);
    va_end(copy);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    std::vsnprintf(text.data(), text.size() + 1, Fmt, args);
    va_end(args);
    RaiseException(text);
}

// Every trigger calls a copy of its handler, so that a handler may replace itself.
bool TCustomWSocket::TriggerDataAvailable(TWord Error) {
    if (!OnDataAvailable) {
        return false;
    }
    const auto handler = OnDataAvailable;
    handler(this, Error);
    return true;
}

void TCustomWSocket::TriggerSessionAvailable(TWord Error) {
    if (OnSessionAvailable) {
        const auto handler = OnSessionAvailable;
        handler(this, Error);
    }
}

void TCustomWSocket::TriggerSessionConnected(TWord Error) {
    if (OnSessionConnected) {
        const auto handler = OnSessionConnected;
        handler(this, Error);
    }
}

void TCustomWSocket::TriggerSessionClosed(TWord Error) {
    if (OnSessionClosed) {
        const auto handler = OnSessionClosed;
        handler(this, Error);
    }
}

void TCustomWSocket::TriggerDataSent(TWord Error) {
    if (OnDataSent) {
        const auto handler = OnDataSent;
        handler(this, Error);
    }
}

void TCustomWSocket::TriggerChangeState(TSocketState OldState, TSocketState NewState) {
    if (OnChangeState) {
        const auto handler = OnChangeState;
        handler(this, OldState, NewState);
    }
}

void TCustomWSocket::TriggerDNSLookupDone(TWord Error) {
    if (OnDnsLookupDone) {
        const auto handler = OnDnsLookupDone;
        handler(this, Error);
    }
}

void TCustomWSocket::TriggerError() {
    if (OnError) {
        const auto handler = OnError;
        handler(this);
    }
}

void TCustomWSocket::TriggerSendData(int BytesSent) {
    if (OnSendData) {
        const auto handler = OnSendData;
        handler(this, BytesSent);
    }
}

void TCustomWSocket::ChangeState(TSocketState NewState) {
    const TSocketState OldState = FState;
    FState = NewState;
    TriggerChangeState(OldState, NewState);
}

void TCustomWSocket::MessagePump() {
    if (FMultiThreaded) {
        ProcessMessages();
    } else {
        processMessages();
    }
}

bool TCustomWSocket::ProcessMessage() {
    auto* dispatcher = QAbstractEventDispatcher::instance();
    return dispatcher != nullptr && dispatcher->processEvents(QEventLoop::AllEvents);
}

void TCustomWSocket::ProcessMessages() {
    while (ProcessMessage()) {
    }
}

void TCustomWSocket::MessageLoop() {
    // Runs until the application or the thread is asked to quit.
    QEventLoop loop;
    loop.exec();
    FTerminated = true;
}

bool TCustomWSocket::TimerIsSet(const timeval& T) {
    return T.tv_sec != 0 || T.tv_usec != 0;
}

void TCustomWSocket::TimerClear(timeval& T) {
    T.tv_sec = 0;
    T.tv_usec = 0;
}

bool TCustomWSocket::TimerCmp(const timeval& T1, const timeval& T2, bool IsEqual) {
    const bool equal = T1.tv_sec == T2.tv_sec && T1.tv_usec == T2.tv_usec;
    return IsEqual ? equal : !equal;
}

// Addr, Port and Proto: the same text again is no change; a new one is kept trimmed,
// counts as given when not empty, and must be resolved again.
void TCustomWSocket::SetRemoteSetting(const std::string& Value, std::string& Text, bool& Assigned,
                                      bool& Resolved, const char* Name) {
    if (Assigned && Value == Text) {
        return;
    }
    if (FState != wsClosed) {
        RaiseException(std::string("Cannot change ") + Name + " if not closed");
        return;
    }
    Text = WSocketTrim(Value);
    Assigned = !Text.empty();
    if (Assigned) {
        Resolved = false;
    }
}

void TCustomWSocket::SetAddr(const std::string& InAddr) {
    SetRemoteSetting(InAddr, FAddrStr, FAddrAssigned, FAddrResolved, "Addr");
}

void TCustomWSocket::SetRemotePort(const std::string& sPort) {
    SetRemoteSetting(sPort, FPortStr, FPortAssigned, FPortResolved, "Port");
}

void TCustomWSocket::SetProto(const std::string& Proto) {
    SetRemoteSetting(Proto, FProtoStr, FProtoAssigned, FProtoResolved, "Proto");
}

void TCustomWSocket::SetLocalAddr(const std::string& LocalAddr) {
    if (FState != wsClosed) {
        RaiseException("Cannot change LocalAddr if not closed");
        return;
    }
    FLocalAddr = LocalAddr.empty() ? "0.0.0.0" : LocalAddr;
}

void TCustomWSocket::SetLocalPort(const std::string& LocalPort) {
    if (FState != wsClosed) {
        RaiseException("Cannot change LocalPort if not closed");
        return;
    }
    FLocalPortStr = LocalPort;
    FLocalPortResolved = false;
}

TSocketSendFlags TCustomWSocket::GetSendFlags() {
    switch (FSendFlags) {
        case 0:
            return wsSendNormal;
        case WSOCK_MSG_OOB:
            return wsSendUrgent;
        default:
            RaiseException("Invalid internal SendFlags");
            return wsSendNormal;
    }
}

void TCustomWSocket::SetSendFlags(TSocketSendFlags Value) {
    switch (Value) {
        case wsSendNormal:
            FSendFlags = 0;
            break;
        case wsSendUrgent:
            FSendFlags = WSOCK_MSG_OOB;
            break;
        default:
            RaiseException("Invalid SendFlags");
            break;
    }
}

}  // namespace vantorell::transport
