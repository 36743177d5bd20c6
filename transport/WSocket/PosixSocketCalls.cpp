// The socket calls of the table on POSIX sockets.

#include <arpa/inet.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "transport/WSocket/AsyncSelect.h"
#include "transport/WSocket/PosixApi.h"
#include "transport/WSocket/WinsockErrors.h"

namespace vantorell::transport {
namespace {

// Winsock never hands out the handles 0 to 2; a POSIX socket may get them when standard
// input or output is closed. Such a socket moves above them.
TSocket AboveStandardHandles(int fd) {
    if (fd < 0 || fd > 2) {
        return fd;
    }
    const int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return moved;
}

bool NonBlocking(TSocket s) {
    const int flags = ::fcntl(s, F_GETFL);
    return flags >= 0 && (flags & O_NONBLOCK) != 0;
}

socklen_t Length(int namelen) {
    return static_cast<socklen_t>(namelen < 0 ? 0 : namelen);
}

// Winsock reports a refused or unreachable peer of a non-blocking connect with the connect
// notice, never from the call.
bool ReportedLater(int error) {
    return error == ECONNREFUSED || error == ENETUNREACH || error == EHOSTUNREACH ||
           error == ETIMEDOUT;
}

int Connect(TSocket s, const TSockAddr* name, int namelen) {
    const bool nonBlocking = NonBlocking(s);
    if (::connect(s, name, Length(namelen)) == 0) {
        if (!nonBlocking) {
            return 0;
        }
        SelectNoteConnect(s, 0);
    } else if (nonBlocking && errno == EINPROGRESS) {
        SelectNoteConnect(s, 0);
    } else if (nonBlocking && ReportedLater(errno)) {
        SelectNoteConnect(s, WinsockErrorFromErrno(errno));
    } else {
        return FailWithErrno();
    }
    SetThreadLastError(WSAEWOULDBLOCK);
    return SOCKET_ERROR;
}

TSocket Accept(TSocket s, TSockAddr* addr, int* addrlen) {
    socklen_t length = addrlen != nullptr ? Length(*addrlen) : 0;
    // The accepted socket takes over the listener's blocking mode, as in Winsock.
    const int flags = SOCK_CLOEXEC | (NonBlocking(s) ? SOCK_NONBLOCK : 0);
    const int fd = ::accept4(s, addr, addrlen != nullptr ? &length : nullptr, flags);
    SelectNoteAccept(s);
    if (fd < 0) {
        return FailWithErrno();
    }
    if (addrlen != nullptr) {
        *addrlen = static_cast<int>(length);
    }
    const TSocket moved = AboveStandardHandles(fd);
    return moved < 0 ? FailWithErrno() : moved;
}

int Send(TSocket s, const void* buf, int len, int flags, const TSockAddr* to, int tolen) {
    const ssize_t n = to == nullptr
                          ? ::send(s, buf, static_cast<std::size_t>(len), flags | MSG_NOSIGNAL)
                          : ::sendto(s, buf, static_cast<std::size_t>(len), flags | MSG_NOSIGNAL,
                                     to, Length(tolen));
    if (n < 0) {
        const int error = errno;
        if (error == EAGAIN) {
            SelectNoteSendBlocked(s);
        }
        errno = error;
        return FailWithErrno();
    }
    if (n < len) {
        SelectNoteSendBlocked(s);
    }
    return static_cast<int>(n);
}

int Recv(TSocket s, void* buf, int len, int flags, TSockAddr* from, int* fromlen) {
    ssize_t n = 0;
    if (from == nullptr) {
        n = ::recv(s, buf, static_cast<std::size_t>(len < 0 ? 0 : len), flags);
    } else {
        socklen_t length = fromlen != nullptr ? Length(*fromlen) : 0;
        n = ::recvfrom(s, buf, static_cast<std::size_t>(len < 0 ? 0 : len), flags, from,
                       fromlen != nullptr ? &length : nullptr);
        if (n >= 0 && fromlen != nullptr) {
            *fromlen = static_cast<int>(length);
        }
    }
    const int error = errno;
    SelectNoteRecv(s);
    if (n < 0) {
        errno = error;
        return FailWithErrno();
    }
    return static_cast<int>(n);
}

int IoctlSocket(TSocket s, long cmd, unsigned long* argp) {
    if (argp == nullptr) {
        SetThreadLastError(WSAEFAULT);
        return SOCKET_ERROR;
    }
    if (cmd == WSOCK_FIONREAD || cmd == WSOCK_SIOCATMARK) {
        int value = 0;
        if (::ioctl(s, cmd == WSOCK_FIONREAD ? FIONREAD : SIOCATMARK, &value) != 0) {
            return FailWithErrno();
        }
        *argp = static_cast<unsigned long>(value);
        return 0;
    }
    if (cmd == WSOCK_FIONBIO) {
        const int flags = ::fcntl(s, F_GETFL);
        if (flags < 0) {
            return FailWithErrno();
        }
        const int wanted = *argp != 0 ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
        return ::fcntl(s, F_SETFL, wanted) == 0 ? 0 : FailWithErrno();
    }
    SetThreadLastError(WSAEINVAL);
    return SOCKET_ERROR;
}

int NameCall(int (*call)(int, sockaddr*, socklen_t*), TSocket s, TSockAddr* name, int* namelen) {
    if (namelen == nullptr) {
        SetThreadLastError(WSAEFAULT);
        return SOCKET_ERROR;
    }
    socklen_t length = Length(*namelen);
    if (call(s, name, &length) != 0) {
        return FailWithErrno();
    }
    *namelen = static_cast<int>(length);
    return 0;
}

}  // namespace

void AddPosixSocketCalls(TWinsockApi& api) {
    api.WSAStartup = [](std::uint16_t wVersionRequired, TWSAData& Data) {
        // Version 1.1 or later; the table speaks 1.1.
        if ((wVersionRequired & 0xFF) < 1 ||
            ((wVersionRequired & 0xFF) == 1 && (wVersionRequired >> 8) < 1)) {
            return WSAVERNOTSUPPORTED;
        }
        Data.wVersion = 0x0101;
        Data.wHighVersion = 0x0101;
        Data.szDescription = "POSIX sockets";
        Data.szSystemStatus = "Running";
        Data.iMaxSockets = 0xFFFF;
        Data.iMaxUdpDg = 0xFFFF;
        return 0;
    };
    api.WSACleanup = [] { return 0; };
    api.WSASetLastError = [](int iError) { SetThreadLastError(iError); };
    api.WSAGetLastError = [] { return ThreadLastError(); };
    api.socket = [](int af, int type, int protocol) -> TSocket {
        const int fd = ::socket(af == WSOCK_AF_INET ? AF_INET : af, type | SOCK_CLOEXEC, protocol);
        const TSocket s = AboveStandardHandles(fd);
        return s < 0 ? FailWithErrno() : s;
    };
    api.shutdown = [](TSocket s, int how) { return ::shutdown(s, how) == 0 ? 0 : FailWithErrno(); };
    api.sendto = [](TSocket s, const void* buf, int len, int flags, const TSockAddr* to,
                    int tolen) { return Send(s, buf, len, flags, to, tolen); };
    api.send = [](TSocket s, const void* buf, int len, int flags) {
        return Send(s, buf, len, flags, nullptr, 0);
    };
    api.recv = [](TSocket s, void* buf, int len, int flags) {
        return Recv(s, buf, len, flags, nullptr, nullptr);
    };
    api.recvfrom = [](TSocket s, void* buf, int len, int flags, TSockAddr* from, int* fromlen) {
        TSockAddrIn scratch{};
        int scratchLength = sizeof scratch;
        if (from == nullptr) {
            from = reinterpret_cast<TSockAddr*>(&scratch);
            fromlen = &scratchLength;
        }
        return Recv(s, buf, len, flags, from, fromlen);
    };
    api.listen = [](TSocket s, int backlog) {
        return ::listen(s, backlog) == 0 ? 0 : FailWithErrno();
    };
    api.ioctlsocket = IoctlSocket;
    api.getsockname = [](TSocket s, TSockAddr* name, int* namelen) {
        return NameCall(::getsockname, s, name, namelen);
    };
    api.getpeername = [](TSocket s, TSockAddr* name, int* namelen) {
        return NameCall(::getpeername, s, name, namelen);
    };
    api.connect = Connect;
    api.closesocket = [](TSocket s) {
        SelectForget(s);
        // The descriptor is released even when close reports an error: never retried.
        return ::close(s) == 0 ? 0 : FailWithErrno();
    };
    api.bind = [](TSocket s, const TSockAddr* addr, int namelen) {
        return ::bind(s, addr, Length(namelen)) == 0 ? 0 : FailWithErrno();
    };
    api.accept = Accept;
    api.ntohs = [](std::uint16_t v) { return ::ntohs(v); };
    api.ntohl = [](std::uint32_t v) { return ::ntohl(v); };
    api.htons = [](std::uint16_t v) { return ::htons(v); };
    api.htonl = [](std::uint32_t v) { return ::htonl(v); };
}

}  // namespace vantorell::transport
