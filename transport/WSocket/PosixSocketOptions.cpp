// Socket options of the table: Winsock's levels, names and value layouts mapped onto the
// system's.

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <cstring>

#include "transport/WSocket/PosixApi.h"
#include "transport/WSocket/WinsockErrors.h"

namespace vantorell::transport {
namespace {

struct OptionName {
    int level = 0;
    int name = 0;
};

bool MapOption(int level, int optname, OptionName& out) {
    if (level == WSOCK_SOL_SOCKET) {
        out.level = SOL_SOCKET;
        switch (optname) {
            case WSOCK_SO_DEBUG:
                out.name = SO_DEBUG;
                return true;
            case WSOCK_SO_ACCEPTCONN:
                out.name = SO_ACCEPTCONN;
                return true;
            case WSOCK_SO_REUSEADDR:
                out.name = SO_REUSEADDR;
                return true;
            case WSOCK_SO_KEEPALIVE:
                out.name = SO_KEEPALIVE;
                return true;
            case WSOCK_SO_DONTROUTE:
                out.name = SO_DONTROUTE;
                return true;
            case WSOCK_SO_BROADCAST:
                out.name = SO_BROADCAST;
                return true;
            case WSOCK_SO_LINGER:
                out.name = SO_LINGER;
                return true;
            case WSOCK_SO_OOBINLINE:
                out.name = SO_OOBINLINE;
                return true;
            case WSOCK_SO_SNDBUF:
                out.name = SO_SNDBUF;
                return true;
            case WSOCK_SO_RCVBUF:
                out.name = SO_RCVBUF;
                return true;
            case WSOCK_SO_ERROR:
                out.name = SO_ERROR;
                return true;
            case WSOCK_SO_TYPE:
                out.name = SO_TYPE;
                return true;
            default:
                return false;
        }
    }
    if (level == WSOCK_IPPROTO_IP) {
        out.level = IPPROTO_IP;
        switch (optname) {
            case WSOCK_IP_MULTICAST_IF:
                out.name = IP_MULTICAST_IF;
                return true;
            case WSOCK_IP_MULTICAST_TTL:
                out.name = IP_MULTICAST_TTL;
                return true;
            case WSOCK_IP_MULTICAST_LOOP:
                out.name = IP_MULTICAST_LOOP;
                return true;
            case WSOCK_IP_ADD_MEMBERSHIP:
                out.name = IP_ADD_MEMBERSHIP;
                return true;
            case WSOCK_IP_DROP_MEMBERSHIP:
                out.name = IP_DROP_MEMBERSHIP;
                return true;
            case WSOCK_IP_TTL:
                out.name = IP_TTL;
                return true;
            case WSOCK_IP_TOS:
                out.name = IP_TOS;
                return true;
            default:
                return false;
        }
    }
    if (level == WSOCK_IPPROTO_TCP && optname == WSOCK_TCP_NODELAY) {
        out = {IPPROTO_TCP, TCP_NODELAY};
        return true;
    }
    return false;
}

int Fail(int error) {
    SetThreadLastError(error);
    return SOCKET_ERROR;
}

int SetSockOpt(TSocket s, int level, int optname, const void* optval, int optlen) {
    OptionName option;
    if (!MapOption(level, optname, option)) {
        return Fail(WSAENOPROTOOPT);
    }
    if (optval == nullptr) {
        return Fail(WSAEFAULT);
    }
    if (option.level == SOL_SOCKET && option.name == SO_LINGER) {
        if (optlen < static_cast<int>(sizeof(TLinger))) {
            return Fail(WSAEFAULT);
        }
        TLinger record{};
        std::memcpy(&record, optval, sizeof record);
        const linger value{record.l_onoff != 0 ? 1 : 0, record.l_linger};
        return ::setsockopt(s, SOL_SOCKET, SO_LINGER, &value, sizeof value) == 0 ? 0
                                                                                 : FailWithErrno();
    }
    return ::setsockopt(s, option.level, option.name, optval,
                        static_cast<socklen_t>(optlen < 0 ? 0 : optlen)) == 0
               ? 0
               : FailWithErrno();
}

int GetSockOpt(TSocket s, int level, int optname, void* optval, int* optlen) {
    OptionName option;
    if (!MapOption(level, optname, option)) {
        return Fail(WSAENOPROTOOPT);
    }
    if (optval == nullptr || optlen == nullptr) {
        return Fail(WSAEFAULT);
    }
    if (option.level == SOL_SOCKET && option.name == SO_LINGER) {
        linger value{};
        socklen_t length = sizeof value;
        if (*optlen < static_cast<int>(sizeof(TLinger))) {
            return Fail(WSAEFAULT);
        }
        if (::getsockopt(s, SOL_SOCKET, SO_LINGER, &value, &length) != 0) {
            return FailWithErrno();
        }
        const TLinger record{static_cast<std::uint16_t>(value.l_onoff != 0 ? 1 : 0),
                             static_cast<std::uint16_t>(value.l_linger)};
        std::memcpy(optval, &record, sizeof record);
        *optlen = sizeof record;
        return 0;
    }
    socklen_t length = static_cast<socklen_t>(*optlen < 0 ? 0 : *optlen);
    if (::getsockopt(s, option.level, option.name, optval, &length) != 0) {
        return FailWithErrno();
    }
    if (option.level == SOL_SOCKET && option.name == SO_ERROR && length == sizeof(int)) {
        int error = 0;
        std::memcpy(&error, optval, sizeof error);
        error = WinsockErrorFromErrno(error);
        std::memcpy(optval, &error, sizeof error);
    }
    if (option.level == SOL_SOCKET && option.name == SO_TYPE && length == sizeof(int)) {
        int type = 0;
        std::memcpy(&type, optval, sizeof type);
        type = type == SOCK_STREAM  ? WSOCK_SOCK_STREAM
               : type == SOCK_DGRAM ? WSOCK_SOCK_DGRAM
                                    : WSOCK_SOCK_RAW;
        std::memcpy(optval, &type, sizeof type);
    }
    *optlen = static_cast<int>(length);
    return 0;
}

}  // namespace

void AddPosixSocketOptions(TWinsockApi& api) {
    api.setsockopt = SetSockOpt;
    api.getsockopt = GetSockOpt;
}

}  // namespace vantorell::transport
