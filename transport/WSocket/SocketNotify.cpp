// Network notifications turned into events, and closing.

#include <chrono>

#include "platform/EventLoop.h"
#include "transport/WSocket/CustomWSocket.h"
#include "transport/WSocket/WinsockApi.h"

namespace vantorell::transport {
namespace {

constexpr int kDrainSize = 1024;

}  // namespace

void TCustomWSocket::WMASyncSelect(TMessage& msg) {
    // A notice for an earlier socket of this object, or while paused, is not ours to act on.
    if (FHSocket == INVALID_SOCKET || msg.WParam != static_cast<WPARAM>(FHSocket) || FPaused) {
        return;
    }
    const TWord events = SelectEvents(msg.LParam);
    const TWord error = SelectError(msg.LParam);
    if ((events & FD_CONNECT) != 0) {
        if (FState != wsConnected) {
            ChangeState(wsConnected);
            TriggerSessionConnected(error);
            if (error != 0 && FState != wsClosed) {
                Close();
            }
        }
    }
    if ((events & FD_READ) != 0) {
        if (FState != wsConnected) {
            ChangeState(wsConnected);
            TriggerSessionConnected(error);
        }
        ASyncReceive(error, FComponentOptions);
    }
    if ((events & FD_WRITE) != 0) {
        TryToSend();
        // A send that failed fatally has closed the socket: nothing was sent.
        if (FAllSent && FHSocket != INVALID_SOCKET) {
            TriggerDataSent(error);
        }
    }
    if ((events & FD_ACCEPT) != 0) {
        TriggerSessionAvailable(error);
    }
    if ((events & FD_CLOSE) != 0 && FState != wsConnecting) {
        TWSocketOptions options = FComponentOptions;
        options.Exclude(wsoNoReceiveLoop);
        ASyncReceive(0, options);
        // A handler that closed the socket while reading has reported the close already.
        if (FHSocket == INVALID_SOCKET || msg.WParam != static_cast<WPARAM>(FHSocket)) {
            return;
        }
        if (!FCloseInvoked) {
            FCloseInvoked = true;
            TriggerSessionClosed(error);
        }
        if (FState != wsClosed) {
            Close();
        }
    }
}

void TCustomWSocket::ASyncReceive(TWord Error, TWSocketOptions MySocketOptions) {
    try {
        for (;;) {
            FLastError = 0;
            if (!TriggerDataAvailable(Error)) {
                // Nobody reads: drain what is waiting and drop it.
                char scratch[kDrainSize];
                if (DoRecv(scratch, sizeof scratch, 0) < 0 &&
                    WSocket_WSAGetLastError() == WSAEWOULDBLOCK) {
                    FLastError = 0;
                    return;
                }
            }
            if (MySocketOptions.Contains(wsoNoReceiveLoop) || FLastError != 0) {
                return;
            }
            unsigned long waiting = 0;
            if (WSocket_ioctlsocket(FHSocket, WSOCK_FIONREAD, &waiting) == SOCKET_ERROR) {
                FLastError = WSocket_WSAGetLastError();
                return;
            }
            if (waiting == 0) {
                return;
            }
        }
    } catch (...) {
        // A failing handler ends the loop; the next notice starts it again.
    }
}

void TCustomWSocket::Close() {
    InternalClose(true, 0);
}

void TCustomWSocket::InternalClose(bool bShut, TWord Error) {
    if (FHSocket == INVALID_SOCKET) {
        if (FState != wsClosed) {
            ChangeState(wsClosed);
            AssignDefaultValue();
        }
        return;
    }
    if (FState == wsClosed) {
        return;
    }
    if (bShut) {
        Shutdown(1);
    }
    // POSIX releases the descriptor whatever close reports, and lingers inside close
    // itself, so it is called once; Winsock's "would block" cannot come back here.
    if (WSocket_closesocket(FHSocket) == SOCKET_ERROR) {
        FLastError = WSocket_WSAGetLastError();
        if (FLastError != WSANOTINITIALISED && FLastError != WSAEWOULDBLOCK) {
            FHSocket = INVALID_SOCKET;
            SocketError("Disconnect (closesocket)");
            return;
        }
    }
    FHSocket = INVALID_SOCKET;
    ChangeState(wsClosed);
    if (!FDestroying && !FCloseInvoked) {
        FCloseInvoked = true;
        TriggerSessionClosed(Error);
    }
    try {
        AssignDefaultValue();
    } catch (...) {
        // The socket is closed; the defaults are best effort.
    }
}

void TCustomWSocket::Abort() {
    CancelDnsLookup();
    DeleteBufferedData();
    if (FState == wsConnected && FProto == WSOCK_IPPROTO_TCP) {
        FLingerOnOff = wsLingerOff;
        SetLingerOption();
    }
    InternalClose(false, 0);
}

void TCustomWSocket::Shutdown(int How) {
    if (FHSocket != INVALID_SOCKET) {
        WSocket_shutdown(FHSocket, How);
    }
}

void TCustomWSocket::WaitForClose() {
    // The peer's close arrives as a notice and closes the socket; data before it is
    // delivered by the read notices in the meantime.
    waitForMessages([this] { return FHSocket == INVALID_SOCKET || FState == wsClosed; },
                    std::chrono::seconds(FFlushTimeout));
}

void TCustomWSocket::Pause() {
    FPaused = true;
    if (FHSocket != INVALID_SOCKET) {
        WSocket_WSAAsyncSelect(FHSocket, FWindowHandle, 0, 0);
    }
}

void TCustomWSocket::Resume() {
    FPaused = false;
    if (FHSocket != INVALID_SOCKET) {
        WSocket_WSAAsyncSelect(FHSocket, FWindowHandle, WM_ASYNCSELECT, FSelectEvent);
    }
}

// The peer's address record; a failing getpeername is reported under Op.
bool TCustomWSocket::PeerAddress(TSockAddrIn& Peer, const char* Op) {
    if (FState != wsConnected) {
        return false;
    }
    int length = sizeof Peer;
    if (WSocket_getpeername(FHSocket, reinterpret_cast<TSockAddr*>(&Peer), &length) ==
        SOCKET_ERROR) {
        SocketError(Op);
        return false;
    }
    return true;
}

bool TCustomWSocket::LocalAddress(TSockAddrIn& Local) {
    if (FState != wsBound && FState != wsConnected && FState != wsListening) {
        return false;
    }
    int length = sizeof Local;
    return GetSockName(Local, length) != SOCKET_ERROR;
}

std::string TCustomWSocket::GetPeerAddr() {
    TSockAddrIn peer{};
    return PeerAddress(peer, "GetPeerName") ? WSocket_inet_ntoa(peer.sin_addr) : "error";
}

std::string TCustomWSocket::GetPeerPort() {
    TSockAddrIn peer{};
    return PeerAddress(peer, "GetPeerPort") ? std::to_string(WSocket_ntohs(peer.sin_port))
                                            : "error";
}

int TCustomWSocket::GetPeerName(TSockAddrIn& Name, int NameLen) {
    if (FState != wsConnected) {
        return SOCKET_ERROR;
    }
    return WSocket_getpeername(FHSocket, reinterpret_cast<TSockAddr*>(&Name), &NameLen);
}

std::string TCustomWSocket::GetXAddr() {
    TSockAddrIn local{};
    return LocalAddress(local) ? WSocket_inet_ntoa(local.sin_addr) : "error";
}

std::string TCustomWSocket::GetXPort() {
    TSockAddrIn local{};
    return LocalAddress(local) ? std::to_string(WSocket_ntohs(local.sin_port)) : "error";
}

int TCustomWSocket::GetSockName(TSockAddrIn& SAddr, int& SAddrLen) {
    return WSocket_getsockname(FHSocket, reinterpret_cast<TSockAddr*>(&SAddr), &SAddrLen);
}

}  // namespace vantorell::transport
