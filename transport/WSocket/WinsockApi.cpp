#include "transport/WSocket/WinsockApi.h"

#include <mutex>

#include "transport/WSocket/ESocketException.h"

namespace vantorell::transport {

std::atomic<int> WSocketGCount{0};

namespace {

// Version 1.1 of the interface.
constexpr std::uint16_t kWinsockVersion = 0x0101;

std::mutex loadMutex;
std::atomic<bool> loaded{false};
std::atomic<bool> forced{false};
TWSAData startupData;

void LoadWinsock() {
    if (loaded.load(std::memory_order_acquire)) {
        return;
    }
    std::lock_guard lock(loadMutex);
    if (loaded.load(std::memory_order_relaxed)) {
        return;
    }
    // A failed start-up is not remembered: the next call tries again.
    const int result = WinsockApi().WSAStartup(kWinsockVersion, startupData);
    if (result != 0) {
        throw ESocketException("wsock32.dll: WSAStartup error #" + std::to_string(result));
    }
    loaded.store(true, std::memory_order_release);
}

// Loads the library on first use and hands out the table.
TWinsockApi& Api() {
    LoadWinsock();
    return WinsockApi();
}

}  // namespace

TWinsockApi& WinsockApi() {
    static TWinsockApi api = WSocketPosixApi();
    return api;
}

bool WSocketGForced() {
    return forced.load();
}

bool WSocketIsLoaded() {
    return loaded.load();
}

void WSocketForceLoadWinsock() {
    if (!forced.exchange(true)) {
        ++WSocketGCount;
        LoadWinsock();
    }
}

void WSocketCancelForceLoadWinsock() {
    if (forced.exchange(false)) {
        if (--WSocketGCount <= 0) {
            WSocketUnloadWinsock();
        }
    }
}

void WSocketUnloadWinsock() {
    {
        std::lock_guard lock(loadMutex);
        if (loaded.exchange(false)) {
            WinsockApi().WSACleanup();
        }
    }
    WSocketGCount = 0;
    forced = false;
}

TWSAData WinsockInfo() {
    LoadWinsock();
    TWSAData data = startupData;
    if (WSocketGCount <= 0) {
        WSocketUnloadWinsock();
    }
    return data;
}

int WSocket_WSAStartup(std::uint16_t wVersionRequired, TWSAData& Data) {
    return Api().WSAStartup(wVersionRequired, Data);
}
int WSocket_WSACleanup() {
    return Api().WSACleanup();
}
void WSocket_WSASetLastError(int iError) {
    Api().WSASetLastError(iError);
}
int WSocket_WSAGetLastError() {
    return Api().WSAGetLastError();
}
int WSocket_WSACancelAsyncRequest(THandle hAsyncTaskHandle) {
    return Api().WSACancelAsyncRequest(hAsyncTaskHandle);
}
THandle WSocket_WSAAsyncGetHostByName(HWND hWnd, unsigned wMsg, const std::string& name,
                                      THostEnt* buf) {
    return Api().WSAAsyncGetHostByName(hWnd, wMsg, name, buf);
}
THandle WSocket_WSAAsyncGetHostByAddr(HWND hWnd, unsigned wMsg, std::uint32_t addr, int len,
                                      int type, THostEnt* buf) {
    return Api().WSAAsyncGetHostByAddr(hWnd, wMsg, addr, len, type, buf);
}
int WSocket_WSAAsyncSelect(TSocket s, HWND hWnd, unsigned wMsg, long lEvent) {
    return Api().WSAAsyncSelect(s, hWnd, wMsg, lEvent);
}
std::optional<TServEnt> WSocket_getservbyname(const std::string& name, const std::string* proto) {
    return Api().getservbyname(name, proto);
}
std::optional<TProtoEnt> WSocket_getprotobyname(const std::string& name) {
    return Api().getprotobyname(name);
}
std::optional<THostEnt> WSocket_gethostbyname(const std::string& name) {
    return Api().gethostbyname(name);
}
std::optional<THostEnt> WSocket_gethostbyaddr(std::uint32_t addr, int len, int type) {
    return Api().gethostbyaddr(addr, len, type);
}
int WSocket_gethostname(char* name, int namelen) {
    return Api().gethostname(name, namelen);
}
TSocket WSocket_socket(int af, int type, int protocol) {
    return Api().socket(af, type, protocol);
}
int WSocket_shutdown(TSocket s, int how) {
    return Api().shutdown(s, how);
}
int WSocket_setsockopt(TSocket s, int level, int optname, const void* optval, int optlen) {
    return Api().setsockopt(s, level, optname, optval, optlen);
}
int WSocket_getsockopt(TSocket s, int level, int optname, void* optval, int* optlen) {
    return Api().getsockopt(s, level, optname, optval, optlen);
}
int WSocket_sendto(TSocket s, const void* buf, int len, int flags, const TSockAddr* to, int tolen) {
    return Api().sendto(s, buf, len, flags, to, tolen);
}
int WSocket_send(TSocket s, const void* buf, int len, int flags) {
    return Api().send(s, buf, len, flags);
}
int WSocket_recv(TSocket s, void* buf, int len, int flags) {
    return Api().recv(s, buf, len, flags);
}
int WSocket_recvfrom(TSocket s, void* buf, int len, int flags, TSockAddr* from, int* fromlen) {
    return Api().recvfrom(s, buf, len, flags, from, fromlen);
}
std::uint16_t WSocket_ntohs(std::uint16_t netshort) {
    return (Api().ntohs)(netshort);
}
std::uint32_t WSocket_ntohl(std::uint32_t netlong) {
    return (Api().ntohl)(netlong);
}
int WSocket_listen(TSocket s, int backlog) {
    return Api().listen(s, backlog);
}
int WSocket_ioctlsocket(TSocket s, long cmd, unsigned long* argp) {
    return Api().ioctlsocket(s, cmd, argp);
}
std::string WSocket_inet_ntoa(TInAddr in) {
    return Api().inet_ntoa(in);
}
std::uint32_t WSocket_inet_addr(const std::string& cp) {
    return Api().inet_addr(cp);
}
std::uint16_t WSocket_htons(std::uint16_t hostshort) {
    return (Api().htons)(hostshort);
}
std::uint32_t WSocket_htonl(std::uint32_t hostlong) {
    return (Api().htonl)(hostlong);
}
int WSocket_getsockname(TSocket s, TSockAddr* name, int* namelen) {
    return Api().getsockname(s, name, namelen);
}
int WSocket_getpeername(TSocket s, TSockAddr* name, int* namelen) {
    return Api().getpeername(s, name, namelen);
}
int WSocket_connect(TSocket s, const TSockAddr* name, int namelen) {
    return Api().connect(s, name, namelen);
}
int WSocket_closesocket(TSocket s) {
    return Api().closesocket(s);
}
int WSocket_bind(TSocket s, const TSockAddr* addr, int namelen) {
    return Api().bind(s, addr, namelen);
}
TSocket WSocket_accept(TSocket s, TSockAddr* addr, int* addrlen) {
    return Api().accept(s, addr, addrlen);
}

}  // namespace vantorell::transport
