#pragma once
// The types and numbers of the socket interface the component is written against: the
// Winsock 1.1 calls, with their handles, records, option numbers and error codes. The
// POSIX table (WinsockApi.h) maps them onto the system's own.

#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vantorell::transport {

class HiddenWindow;

using TSocket = int;
using HWND = HiddenWindow*;
using THandle = std::uintptr_t;  // an asynchronous request; 0 is none
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using TWord = std::uint16_t;
using TSockAddr = sockaddr;
using TSockAddrIn = sockaddr_in;  // family, port and address in network order: 16 bytes
using TInAddr = in_addr;

inline constexpr TSocket INVALID_SOCKET = -1;
inline constexpr int SOCKET_ERROR = -1;
inline constexpr std::uint32_t WSOCK_INADDR_NONE = 0xFFFFFFFFu;

// Address family, socket types and protocols as the component passes them.
inline constexpr int WSOCK_AF_INET = 2;
inline constexpr int WSOCK_SOCK_STREAM = 1;
inline constexpr int WSOCK_SOCK_DGRAM = 2;
inline constexpr int WSOCK_SOCK_RAW = 3;
inline constexpr int WSOCK_IPPROTO_IP = 0;
inline constexpr int WSOCK_IPPROTO_TCP = 6;
inline constexpr int WSOCK_IPPROTO_UDP = 17;

// Option levels and names.
inline constexpr int WSOCK_SOL_SOCKET = 0xFFFF;
inline constexpr int WSOCK_SO_DEBUG = 0x0001;
inline constexpr int WSOCK_SO_ACCEPTCONN = 0x0002;
inline constexpr int WSOCK_SO_REUSEADDR = 0x0004;
inline constexpr int WSOCK_SO_KEEPALIVE = 0x0008;
inline constexpr int WSOCK_SO_DONTROUTE = 0x0010;
inline constexpr int WSOCK_SO_BROADCAST = 0x0020;
inline constexpr int WSOCK_SO_LINGER = 0x0080;
inline constexpr int WSOCK_SO_OOBINLINE = 0x0100;
inline constexpr int WSOCK_SO_SNDBUF = 0x1001;
inline constexpr int WSOCK_SO_RCVBUF = 0x1002;
inline constexpr int WSOCK_SO_ERROR = 0x1007;
inline constexpr int WSOCK_SO_TYPE = 0x1008;
inline constexpr int WSOCK_IP_MULTICAST_IF = 2;
inline constexpr int WSOCK_IP_MULTICAST_TTL = 3;
inline constexpr int WSOCK_IP_MULTICAST_LOOP = 4;
inline constexpr int WSOCK_IP_ADD_MEMBERSHIP = 5;
inline constexpr int WSOCK_IP_DROP_MEMBERSHIP = 6;
inline constexpr int WSOCK_IP_TTL = 7;
inline constexpr int WSOCK_IP_TOS = 8;
inline constexpr int WSOCK_TCP_NODELAY = 1;

// The linger record of Winsock 1.1: two 16-bit words.
struct TLinger {
    std::uint16_t l_onoff;
    std::uint16_t l_linger;
};

// Receive and send flags.
inline constexpr int WSOCK_MSG_OOB = 1;
inline constexpr int WSOCK_MSG_PEEK = 2;

// ioctlsocket commands.
inline constexpr long WSOCK_FIONREAD = 0x4004667F;
inline constexpr long WSOCK_FIONBIO = static_cast<long>(0x8004667Eu);
inline constexpr long WSOCK_SIOCATMARK = 0x40047307;

// Network events of the asynchronous select, as bits of the mask and of a notification.
inline constexpr long FD_READ = 1;
inline constexpr long FD_WRITE = 2;
inline constexpr long FD_OOB = 4;
inline constexpr long FD_ACCEPT = 8;
inline constexpr long FD_CONNECT = 16;
inline constexpr long FD_CLOSE = 32;

// Error codes.
inline constexpr int WSAEINTR = 10004;
inline constexpr int WSAEBADF = 10009;
inline constexpr int WSAEACCES = 10013;
inline constexpr int WSAEFAULT = 10014;
inline constexpr int WSAEINVAL = 10022;
inline constexpr int WSAEMFILE = 10024;
inline constexpr int WSAEWOULDBLOCK = 10035;
inline constexpr int WSAEINPROGRESS = 10036;
inline constexpr int WSAEALREADY = 10037;
inline constexpr int WSAENOTSOCK = 10038;
inline constexpr int WSAEDESTADDRREQ = 10039;
inline constexpr int WSAEMSGSIZE = 10040;
inline constexpr int WSAEPROTOTYPE = 10041;
inline constexpr int WSAENOPROTOOPT = 10042;
inline constexpr int WSAEPROTONOSUPPORT = 10043;
inline constexpr int WSAESOCKTNOSUPPORT = 10044;
inline constexpr int WSAEOPNOTSUPP = 10045;
inline constexpr int WSAEPFNOSUPPORT = 10046;
inline constexpr int WSAEAFNOSUPPORT = 10047;
inline constexpr int WSAEADDRINUSE = 10048;
inline constexpr int WSAEADDRNOTAVAIL = 10049;
inline constexpr int WSAENETDOWN = 10050;
inline constexpr int WSAENETUNREACH = 10051;
inline constexpr int WSAENETRESET = 10052;
inline constexpr int WSAECONNABORTED = 10053;
inline constexpr int WSAECONNRESET = 10054;
inline constexpr int WSAENOBUFS = 10055;
inline constexpr int WSAEISCONN = 10056;
inline constexpr int WSAENOTCONN = 10057;
inline constexpr int WSAESHUTDOWN = 10058;
inline constexpr int WSAETOOMANYREFS = 10059;
inline constexpr int WSAETIMEDOUT = 10060;
inline constexpr int WSAECONNREFUSED = 10061;
inline constexpr int WSAELOOP = 10062;
inline constexpr int WSAENAMETOOLONG = 10063;
inline constexpr int WSAEHOSTDOWN = 10064;
inline constexpr int WSAEHOSTUNREACH = 10065;
inline constexpr int WSAENOTEMPTY = 10066;
inline constexpr int WSAEPROCLIM = 10067;
inline constexpr int WSAEUSERS = 10068;
inline constexpr int WSAEDQUOT = 10069;
inline constexpr int WSAESTALE = 10070;
inline constexpr int WSAEREMOTE = 10071;
inline constexpr int WSASYSNOTREADY = 10091;
inline constexpr int WSAVERNOTSUPPORTED = 10092;
inline constexpr int WSANOTINITIALISED = 10093;
inline constexpr int WSAHOST_NOT_FOUND = 11001;
inline constexpr int WSATRY_AGAIN = 11002;
inline constexpr int WSANO_RECOVERY = 11003;
inline constexpr int WSANO_DATA = 11004;

// What the start-up call reports about the socket library.
struct TWSAData {
    std::uint16_t wVersion = 0;
    std::uint16_t wHighVersion = 0;
    std::string szDescription;
    std::string szSystemStatus;
    std::uint16_t iMaxSockets = 0;
    std::uint16_t iMaxUdpDg = 0;
};

// A host entry: official name, aliases and IPv4 addresses in network order.
struct THostEnt {
    std::string h_name;
    std::vector<std::string> h_aliases;
    std::int16_t h_addrtype = WSOCK_AF_INET;
    std::int16_t h_length = 4;
    std::vector<std::uint32_t> h_addr_list;
};

// A service entry; the port is in network order.
struct TServEnt {
    std::string s_name;
    std::vector<std::string> s_aliases;
    std::uint16_t s_port = 0;
    std::string s_proto;
};

struct TProtoEnt {
    std::string p_name;
    std::vector<std::string> p_aliases;
    std::int16_t p_proto = 0;
};

// The long parameter of a notification: the events in the low word, the error in the high.
inline constexpr LPARAM MakeSelectParam(long Events, int Error) {
    return static_cast<LPARAM>((static_cast<std::uint32_t>(Error & 0xFFFF) << 16) |
                               static_cast<std::uint32_t>(Events & 0xFFFF));
}
inline constexpr TWord SelectEvents(LPARAM LParam) {
    return static_cast<TWord>(static_cast<std::uint32_t>(LParam) & 0xFFFF);
}
inline constexpr TWord SelectError(LPARAM LParam) {
    return static_cast<TWord>((static_cast<std::uint32_t>(LParam) >> 16) & 0xFFFF);
}

}  // namespace vantorell::transport
