#pragma once
// The table of socket functions the component binds: one entry per Winsock 1.1 call it
// uses, with Winsock's arguments, results and error numbers. The entries are POSIX
// underneath; tests replace entries to inject faults and put the POSIX ones back after.
//
// The library counts as loaded from the first call through a WSocket_<entry> routine
// (which runs WSAStartup) until WSocketUnloadWinsock (which runs WSACleanup).

#include <atomic>
#include <functional>
#include <optional>
#include <string>

#include "transport/WSocket/WinsockTypes.h"

namespace vantorell::transport {

struct TWinsockApi {
    std::function<int(std::uint16_t wVersionRequired, TWSAData& Data)> WSAStartup;
    std::function<int()> WSACleanup;
    std::function<void(int iError)> WSASetLastError;
    std::function<int()> WSAGetLastError;
    std::function<int(THandle hAsyncTaskHandle)> WSACancelAsyncRequest;
    // Start a lookup whose completion is posted to hWnd as wMsg (word: the handle, high
    // word of the long: the error); the host entry is written into buf first, on the
    // window's thread. 0 when the lookup cannot start.
    std::function<THandle(HWND hWnd, unsigned wMsg, const std::string& name, THostEnt* buf)>
        WSAAsyncGetHostByName;
    std::function<THandle(HWND hWnd, unsigned wMsg, std::uint32_t addr, int len, int type,
                          THostEnt* buf)>
        WSAAsyncGetHostByAddr;
    std::function<int(TSocket s, HWND hWnd, unsigned wMsg, long lEvent)> WSAAsyncSelect;
    std::function<std::optional<TServEnt>(const std::string& name, const std::string* proto)>
        getservbyname;
    std::function<std::optional<TProtoEnt>(const std::string& name)> getprotobyname;
    std::function<std::optional<THostEnt>(const std::string& name)> gethostbyname;
    std::function<std::optional<THostEnt>(std::uint32_t addr, int len, int type)> gethostbyaddr;
    std::function<int(char* name, int namelen)> gethostname;
    std::function<TSocket(int af, int type, int protocol)> socket;
    std::function<int(TSocket s, int how)> shutdown;
    std::function<int(TSocket s, int level, int optname, const void* optval, int optlen)>
        setsockopt;
    std::function<int(TSocket s, int level, int optname, void* optval, int* optlen)> getsockopt;
    std::function<int(TSocket s, const void* buf, int len, int flags, const TSockAddr* to,
                      int tolen)>
        sendto;
    std::function<int(TSocket s, const void* buf, int len, int flags)> send;
    std::function<int(TSocket s, void* buf, int len, int flags)> recv;
    std::function<int(TSocket s, void* buf, int len, int flags, TSockAddr* from, int* fromlen)>
        recvfrom;
    std::function<std::uint16_t(std::uint16_t)> ntohs;
    std::function<std::uint32_t(std::uint32_t)> ntohl;
    std::function<int(TSocket s, int backlog)> listen;
    std::function<int(TSocket s, long cmd, unsigned long* argp)> ioctlsocket;
    std::function<std::string(TInAddr in)> inet_ntoa;
    std::function<std::uint32_t(const std::string& cp)> inet_addr;
    std::function<std::uint16_t(std::uint16_t)> htons;
    std::function<std::uint32_t(std::uint32_t)> htonl;
    std::function<int(TSocket s, TSockAddr* name, int* namelen)> getsockname;
    std::function<int(TSocket s, TSockAddr* name, int* namelen)> getpeername;
    std::function<int(TSocket s, const TSockAddr* name, int namelen)> connect;
    std::function<int(TSocket s)> closesocket;
    std::function<int(TSocket s, const TSockAddr* addr, int namelen)> bind;
    std::function<TSocket(TSocket s, TSockAddr* addr, int* addrlen)> accept;
};

// The POSIX entries.
TWinsockApi WSocketPosixApi();

// The process's table. Replace entries only while no socket is in use on another thread.
TWinsockApi& WinsockApi();

// Number of live socket objects, plus one while the library is force-loaded.
extern std::atomic<int> WSocketGCount;
bool WSocketGForced();
bool WSocketIsLoaded();

void WSocketForceLoadWinsock();
void WSocketCancelForceLoadWinsock();
void WSocketUnloadWinsock();
// Loads the library, returns its start-up record, and unloads it again when no socket
// object needs it.
TWSAData WinsockInfo();

// The calls of the component: each loads and starts the library when it is not yet
// loaded (an ESocketException "wsock32.dll: WSAStartup error #<n>" when that fails), then
// calls its entry of the table.
int WSocket_WSAStartup(std::uint16_t wVersionRequired, TWSAData& Data);
int WSocket_WSACleanup();
void WSocket_WSASetLastError(int iError);
int WSocket_WSAGetLastError();
int WSocket_WSACancelAsyncRequest(THandle hAsyncTaskHandle);
THandle WSocket_WSAAsyncGetHostByName(HWND hWnd, unsigned wMsg, const std::string& name,
                                      THostEnt* buf);
THandle WSocket_WSAAsyncGetHostByAddr(HWND hWnd, unsigned wMsg, std::uint32_t addr, int len,
                                      int type, THostEnt* buf);
int WSocket_WSAAsyncSelect(TSocket s, HWND hWnd, unsigned wMsg, long lEvent);
std::optional<TServEnt> WSocket_getservbyname(const std::string& name, const std::string* proto);
std::optional<TProtoEnt> WSocket_getprotobyname(const std::string& name);
std::optional<THostEnt> WSocket_gethostbyname(const std::string& name);
std::optional<THostEnt> WSocket_gethostbyaddr(std::uint32_t addr, int len, int type);
int WSocket_gethostname(char* name, int namelen);
TSocket WSocket_socket(int af, int type, int protocol);
int WSocket_shutdown(TSocket s, int how);
int WSocket_setsockopt(TSocket s, int level, int optname, const void* optval, int optlen);
int WSocket_getsockopt(TSocket s, int level, int optname, void* optval, int* optlen);
int WSocket_sendto(TSocket s, const void* buf, int len, int flags, const TSockAddr* to, int tolen);
int WSocket_send(TSocket s, const void* buf, int len, int flags);
int WSocket_recv(TSocket s, void* buf, int len, int flags);
int WSocket_recvfrom(TSocket s, void* buf, int len, int flags, TSockAddr* from, int* fromlen);
std::uint16_t WSocket_ntohs(std::uint16_t netshort);
std::uint32_t WSocket_ntohl(std::uint32_t netlong);
int WSocket_listen(TSocket s, int backlog);
int WSocket_ioctlsocket(TSocket s, long cmd, unsigned long* argp);
std::string WSocket_inet_ntoa(TInAddr in);
std::uint32_t WSocket_inet_addr(const std::string& cp);
std::uint16_t WSocket_htons(std::uint16_t hostshort);
std::uint32_t WSocket_htonl(std::uint32_t hostlong);
int WSocket_getsockname(TSocket s, TSockAddr* name, int* namelen);
int WSocket_getpeername(TSocket s, TSockAddr* name, int* namelen);
int WSocket_connect(TSocket s, const TSockAddr* name, int namelen);
int WSocket_closesocket(TSocket s);
int WSocket_bind(TSocket s, const TSockAddr* addr, int namelen);
TSocket WSocket_accept(TSocket s, TSockAddr* addr, int* addrlen);

}  // namespace vantorell::transport
