// Opening sockets: connecting, listening, accepting and adopting, with their options.

#include "transport/WSocket/CustomWSocket.h"
#include "transport/WSocket/SocketResolve.h"
#include "transport/WSocket/WinsockApi.h"

namespace vantorell::transport {
namespace {

constexpr long kConnectEvents = FD_READ | FD_WRITE | FD_ACCEPT | FD_CONNECT | FD_CLOSE;
constexpr long kListenEvents = FD_READ | FD_WRITE | FD_ACCEPT | FD_CLOSE;
constexpr long kDupEvents = FD_READ | FD_WRITE | FD_CONNECT | FD_CLOSE;
constexpr int kListenBacklog = 5;

const TSockAddr* AsSockAddr(const TSockAddrIn& address) {
    return reinterpret_cast<const TSockAddr*>(&address);
}

}  // namespace

// Turns what is not yet resolved into numbers: protocol and socket type, remote port,
// the local port (only to connect) and the remote address (blocking for a host name).
void TCustomWSocket::ResolveSettings(bool Listening) {
    if (!FProtoResolved) {
        FProto = WSocketResolveProto(FProtoStr);
        FType = FProto == WSOCK_IPPROTO_UDP                ? WSOCK_SOCK_DGRAM
                : FProto == WSOCK_IPPROTO_TCP || Listening ? WSOCK_SOCK_STREAM
                                                           : WSOCK_SOCK_RAW;
        FProtoResolved = true;
    }
    if (!FPortResolved) {
        // A listener may take any free port (0); a connection goes to a real one.
        FPortNum = Listening ? WSocketResolvePort(FPortStr, FProtoStr)
                             : WSocketResolveRemotePort(FPortStr, FProtoStr);
        sin.sin_port = WSocket_htons(FPortNum);
        FPortResolved = true;
    }
    if (!Listening && !FLocalPortResolved) {
        FLocalPortNum = WSocketResolvePort(FLocalPortStr, FProtoStr);
        FLocalPortResolved = true;
    }
    if (!FAddrResolved) {
        sin.sin_addr.s_addr = WSocketResolveHost(FAddrStr);
        FAddrResolved = true;
    }
}

void TCustomWSocket::SetIntOption(int Level, int OptName, int Value, const char* OpName) {
    if (WSocket_setsockopt(FHSocket, Level, OptName, &Value, sizeof Value) == SOCKET_ERROR) {
        SocketError(OpName);
    }
}

void TCustomWSocket::Connect() {
    if (FHSocket != INVALID_SOCKET && FState != wsClosed) {
        RaiseException("Connect: Socket already in use");
        return;
    }
    if (!FPortAssigned) {
        RaiseException("Connect: No Port Specified");
        return;
    }
    if (!FAddrAssigned) {
        RaiseException("Connect: No IP Address Specified");
        return;
    }
    if (!FProtoAssigned) {
        RaiseException("Connect: No Protocol Specified");
        return;
    }
    try {
        ResolveSettings(false);
    } catch (const std::exception& E) {
        RaiseException(std::string("connect: ") + E.what());
        return;
    }

    DeleteBufferedData();
    FHSocket = WSocket_socket(FAddrFormat, FType, FProto);
    if (FHSocket == INVALID_SOCKET) {
        SocketError("Connect (socket)");
        return;
    }
    ChangeState(wsOpened);
    if (FState != wsOpened) {
        WSocket_WSASetLastError(WSAEINVAL);
        SocketError("Connect (Invalid operation in OnChangeState)");
        return;
    }

    // Every failing step records its error in LastError; the call ends at the first.
    FLastError = 0;
    if (FType == WSOCK_SOCK_DGRAM) {
        BindSocket();
        if (FLastError == 0 && FMultiCast) {
            if (FMultiCastIpTTL != 1) {
                SetIntOption(WSOCK_IPPROTO_IP, WSOCK_IP_MULTICAST_TTL, FMultiCastIpTTL,
                             "setsockopt(IP_MULTICAST_TTL)");
            }
            if (FLastError == 0 && FLocalAddr != "0.0.0.0") {
                TInAddr local{};
                local.s_addr = WSocketResolveHost(FLocalAddr);
                if (WSocket_setsockopt(FHSocket, WSOCK_IPPROTO_IP, WSOCK_IP_MULTICAST_IF, &local,
                                       sizeof local) == SOCKET_ERROR) {
                    SocketError("setsockopt(IP_MULTICAST_IF)");
                }
            }
        }
        if (FLastError == 0 && sin.sin_addr.s_addr == WSOCK_INADDR_NONE) {
            SetIntOption(WSOCK_SOL_SOCKET, WSOCK_SO_BROADCAST, 1, "setsockopt(SO_BROADCAST)");
        }
    } else {
        SetIntOption(WSOCK_SOL_SOCKET, WSOCK_SO_REUSEADDR, -1, "setsockopt(SO_REUSEADDR)");
        if (FLastError == 0 && FComponentOptions.Contains(wsoTcpNoDelay)) {
            SetIntOption(WSOCK_IPPROTO_TCP, WSOCK_TCP_NODELAY, -1,
                         "setsockopt(IPPROTO_TCP, TCP_NODELAY)");
        }
        if (FLastError == 0) {
            SetLingerOption();
        }
        if (FLastError == 0) {
            SetIntOption(WSOCK_SOL_SOCKET, WSOCK_SO_KEEPALIVE, -1, "setsockopt(SO_KEEPALIVE)");
        }
        if (FLastError == 0 && (FLocalPortNum != 0 || FLocalAddr != "0.0.0.0")) {
            BindSocket();
        }
    }
    if (FLastError != 0 || FHSocket == INVALID_SOCKET) {
        return;
    }

    FSelectEvent = kConnectEvents;
    if (WSocket_WSAAsyncSelect(FHSocket, FWindowHandle, WM_ASYNCSELECT, FSelectEvent) ==
        SOCKET_ERROR) {
        SocketError("WSAAsyncSelect");
        return;
    }

    if (FType == WSOCK_SOCK_DGRAM) {
        ChangeState(wsConnected);
        TriggerSessionConnected(0);
        return;
    }
    if (WSocket_connect(FHSocket, AsSockAddr(sin), sizeof sin) == 0 ||
        WSocket_WSAGetLastError() == WSAEWOULDBLOCK) {
        ChangeState(wsConnecting);
    } else {
        FLastError = WSocket_WSAGetLastError();
        SocketError("Connect");
    }
}

void TCustomWSocket::BindSocket() {
    TSockAddrIn local{};
    local.sin_family = WSOCK_AF_INET;
    local.sin_port = WSocket_htons(FLocalPortNum);
    local.sin_addr.s_addr = WSocketResolveHost(FLocalAddr);
    if (WSocket_bind(FHSocket, AsSockAddr(local), sizeof local) == SOCKET_ERROR) {
        FLastError = WSocket_WSAGetLastError();
        RaiseExceptionFmt("winsock.bind failed, error #%d", FLastError);
        return;
    }
    int length = sizeof local;
    if (WSocket_getsockname(FHSocket, reinterpret_cast<TSockAddr*>(&local), &length) ==
        SOCKET_ERROR) {
        FLastError = WSocket_WSAGetLastError();
        RaiseExceptionFmt("winsock.getsockname failed, error #%d", FLastError);
        return;
    }
    FLocalPortNum = WSocket_ntohs(local.sin_port);
    FLocalPortStr = std::to_string(FLocalPortNum);
}

void TCustomWSocket::SetLingerOption() {
    if (FLingerOnOff == wsLingerNoSet) {
        return;
    }
    if (FHSocket == INVALID_SOCKET) {
        RaiseException("Cannot set linger option at this time");
        return;
    }
    // Lingering on for no time would make every close abortive and drop the data the
    // system still holds for the peer; such a close stays graceful.
    const bool on = FLingerOnOff == wsLingerOn && FLingerTimeout > 0;
    const TLinger record{static_cast<std::uint16_t>(on ? 1 : 0),
                         static_cast<std::uint16_t>(FLingerTimeout)};
    if (WSocket_setsockopt(FHSocket, WSOCK_SOL_SOCKET, WSOCK_SO_LINGER, &record, sizeof record) ==
        SOCKET_ERROR) {
        SocketError("setsockopt(SO_LINGER)");
    }
}

void TCustomWSocket::Listen() {
    if (!FPortAssigned) {
        WSocket_WSASetLastError(WSAEINVAL);
        SocketError("listen: port not assigned");
        return;
    }
    if (!FProtoAssigned) {
        WSocket_WSASetLastError(WSAEINVAL);
        SocketError("listen: protocol not assigned");
        return;
    }
    if (!FAddrAssigned) {
        WSocket_WSASetLastError(WSAEINVAL);
        SocketError("listen: address not assigned");
        return;
    }
    try {
        ResolveSettings(true);
    } catch (const std::exception& E) {
        RaiseException(std::string("listen: ") + E.what());
        return;
    }

    DeleteBufferedData();
    FHSocket = WSocket_socket(FAddrFormat, FType, FProto);
    if (FHSocket == INVALID_SOCKET) {
        SocketError("socket");
        return;
    }
    if (FType == WSOCK_SOCK_DGRAM && FReuseAddr) {
        int value = -1;
        if (WSocket_setsockopt(FHSocket, WSOCK_SOL_SOCKET, WSOCK_SO_REUSEADDR, &value,
                               sizeof value) == SOCKET_ERROR) {
            SocketError("setsockopt(SO_REUSEADDR)");
            return;
        }
    }
    if (WSocket_bind(FHSocket, AsSockAddr(sin), sizeof sin) == SOCKET_ERROR) {
        // The socket is not bound: release it before reporting, so that no handle is left.
        const int error = WSocket_WSAGetLastError();
        WSocket_closesocket(FHSocket);
        FHSocket = INVALID_SOCKET;
        WSocket_WSASetLastError(error);
        SocketError("Bind");
        return;
    }
    ChangeState(wsBound);
    if (FType == WSOCK_SOCK_DGRAM && FMultiCast) {
        struct {
            TInAddr group;
            TInAddr local;
        } request{};
        request.group.s_addr = WSocket_inet_addr(FMultiCastAddrStr);
        request.local.s_addr = WSocketResolveHost(FAddrStr);
        if (WSocket_setsockopt(FHSocket, WSOCK_IPPROTO_IP, WSOCK_IP_ADD_MEMBERSHIP, &request,
                               sizeof request) == SOCKET_ERROR) {
            SocketError("setsockopt(IP MULTICAST)");
            return;
        }
    }
    if (FType == WSOCK_SOCK_STREAM) {
        if (WSocket_listen(FHSocket, kListenBacklog) == SOCKET_ERROR) {
            SocketError("Listen");
            return;
        }
        ChangeState(wsListening);
    } else if (FType == WSOCK_SOCK_DGRAM || FType == WSOCK_SOCK_RAW) {
        ChangeState(wsListening);
        ChangeState(wsConnected);
        TriggerSessionConnected(0);
    } else {
        SocketError("Listen: unexpected protocol.");
        return;
    }
    FSelectEvent = kListenEvents;
    if (WSocket_WSAAsyncSelect(FHSocket, FWindowHandle, WM_ASYNCSELECT, FSelectEvent) ==
        SOCKET_ERROR) {
        SocketError("WSAASyncSelect");
    }
}

TSocket TCustomWSocket::Accept() {
    if (FState != wsListening) {
        WSocket_WSASetLastError(WSAEINVAL);
        SocketError("not a listening socket");
        return INVALID_SOCKET;
    }
    int length = sizeof sin;
    const TSocket accepted = WSocket_accept(FHSocket, reinterpret_cast<TSockAddr*>(&sin), &length);
    if (accepted == INVALID_SOCKET) {
        SocketError("Accept");
        return INVALID_SOCKET;
    }
    return accepted;
}

void TCustomWSocket::Dup(TSocket NewHSocket) {
    if (NewHSocket == 0 || NewHSocket == INVALID_SOCKET) {
        WSocket_WSASetLastError(WSAEINVAL);
        SocketError("Dup");
        return;
    }
    if (FState != wsClosed) {
        const int status = WSocket_closesocket(FHSocket);
        FHSocket = INVALID_SOCKET;
        if (status == SOCKET_ERROR) {
            SocketError("Dup (closesocket)");
            return;
        }
        ChangeState(wsClosed);
    }
    FHSocket = NewHSocket;
    SetLingerOption();
    FSelectEvent = kDupEvents;
    if (WSocket_WSAAsyncSelect(FHSocket, FWindowHandle, WM_ASYNCSELECT, FSelectEvent) ==
        SOCKET_ERROR) {
        SocketError("WSAAsyncSelect");
        return;
    }
    ChangeState(wsConnected);
}

}  // namespace vantorell::transport
