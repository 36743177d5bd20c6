#include "transport/WSocket/HostLookups.h"

#include "transport/WSocket/CustomWSocket.h"
#include "transport/WSocket/SocketResolve.h"
#include "transport/WSocket/WinsockApi.h"

namespace vantorell::transport {
namespace {

constexpr std::size_t kMaxHostLength = 256;
constexpr int kHostNameBuffer = 64;

std::string Dotted(std::uint32_t address) {
    TInAddr in{};
    in.s_addr = address;
    return WSocket_inet_ntoa(in);
}

}  // namespace

std::optional<THostEnt> WSocketGetHostByName(const std::string& Name) {
    if (Name.empty() || Name.size() > kMaxHostLength) {
        throw ESocketException("WSocketGetHostByName: Invalid Hostname.");
    }
    return WSocket_gethostbyname(Name);
}

std::optional<THostEnt> WSocketGetHostByAddr(const std::string& Addr) {
    if (Addr.empty() || Addr.size() > kMaxHostLength) {
        throw ESocketException("WSocketGetHostByAddr: Invalid address.");
    }
    return WSocket_gethostbyaddr(WSocket_inet_addr(Addr), 4, WSOCK_AF_INET);
}

std::string WSocketResolveIp(const std::string& IpAddr) {
    const auto entry = WSocketGetHostByAddr(IpAddr);
    return entry ? entry->h_name : std::string();
}

std::string LocalHostName() {
    char name[kHostNameBuffer] = {};
    if (WSocket_gethostname(name, sizeof name) != 0) {
        throw ESocketException("Winsock.GetHostName failed");
    }
    return name;
}

const std::vector<std::string>& LocalIPList() {
    static std::vector<std::string> list;
    list.clear();
    const auto entry = WSocketGetHostByName(LocalHostName());
    if (entry) {
        for (const std::uint32_t address : entry->h_addr_list) {
            list.push_back(Dotted(address));
        }
    }
    return list;
}

// A new lookup replaces the pending one: its result is dropped, with no event.
void TCustomWSocket::DropPendingLookup() {
    if (FDnsLookupHandle != 0) {
        WSocket_WSACancelAsyncRequest(FDnsLookupHandle);
        FDnsLookupHandle = 0;
    }
    FDnsResult.clear();
    FDnsResultList.clear();
}

void TCustomWSocket::DnsLookup(const std::string& HostName) {
    if (HostName.empty()) {
        RaiseException("DNS lookup: invalid host name.");
        TriggerDNSLookupDone(WSAEINVAL);
        return;
    }
    DropPendingLookup();
    if (WSocketIsDottedIP(HostName)) {
        const std::uint32_t address = WSocket_inet_addr(HostName);
        if (address != WSOCK_INADDR_NONE) {
            FDnsResult = Dotted(address);
            FDnsResultList.push_back(FDnsResult);
            TriggerDNSLookupDone(0);
            return;
        }
    }
    if (FWindowHandle == nullptr) {
        RaiseException("DnsLookup: Window not assigned");
        return;
    }
    FDnsLookupCheckMsg = false;
    const THandle handle = WSocket_WSAAsyncGetHostByName(FWindowHandle, WM_ASYNCGETHOSTBYNAME,
                                                         HostName, &FDnsLookupBuffer);
    if (handle == 0) {
        RaiseExceptionFmt("%s: can't start DNS lookup, error #%d", HostName.c_str(),
                          WSocket_WSAGetLastError());
        return;
    }
    FDnsLookupHandle = handle;
    if (FDnsLookupCheckMsg) {
        FDnsLookupCheckMsg = false;
        WMAsyncGetHostByName(FDnsLookupTmpMsg);
    }
}

void TCustomWSocket::WMAsyncGetHostByName(TMessage& msg) {
    if (FDnsLookupHandle == 0) {
        // The completion came before the lookup's handle was known.
        FDnsLookupTmpMsg = msg;
        FDnsLookupCheckMsg = true;
        return;
    }
    if (msg.WParam != FDnsLookupHandle) {
        return;
    }
    FDnsLookupHandle = 0;
    const TWord error = SelectError(msg.LParam);
    if (error == 0) {
        for (const std::uint32_t address : FDnsLookupBuffer.h_addr_list) {
            FDnsResultList.push_back(Dotted(address));
        }
        if (!FDnsResultList.empty()) {
            FDnsResult = FDnsResultList.front();
        }
    }
    TriggerDNSLookupDone(error);
}

void TCustomWSocket::ReverseDnsLookup(const std::string& HostAddr) {
    if (HostAddr.empty() || HostAddr.size() > kMaxHostLength) {
        RaiseException("ReverseDnsLookup: Invalid host name.");
        TriggerDNSLookupDone(WSAEINVAL);
        return;
    }
    DropPendingLookup();
    if (FWindowHandle == nullptr) {
        RaiseException("ReverseDnsLookup: Window not assigned");
        return;
    }
    const THandle handle = WSocket_WSAAsyncGetHostByAddr(FWindowHandle, WM_ASYNCGETHOSTBYADDR,
                                                         WSocket_inet_addr(HostAddr), 4,
                                                         WSOCK_AF_INET, &FDnsLookupBuffer);
    if (handle == 0) {
        RaiseExceptionFmt("%s: can't start DNS lookup, error #%d", HostAddr.c_str(),
                          WSocket_WSAGetLastError());
        return;
    }
    FDnsLookupHandle = handle;
}

void TCustomWSocket::WMAsyncGetHostByAddr(TMessage& msg) {
    if (FDnsLookupHandle == 0 || msg.WParam != FDnsLookupHandle) {
        return;
    }
    FDnsLookupHandle = 0;
    const TWord error = SelectError(msg.LParam);
    if (error == 0) {
        FDnsResult = FDnsLookupBuffer.h_name;
        FDnsResultList.push_back(FDnsResult);
    }
    TriggerDNSLookupDone(error);
}

void TCustomWSocket::CancelDnsLookup() {
    if (FDnsLookupHandle == 0) {
        return;
    }
    if (WSocket_WSACancelAsyncRequest(FDnsLookupHandle) != 0) {
        FDnsLookupHandle = 0;
        SocketError("WSACancelAsyncRequest");
        return;
    }
    FDnsLookupHandle = 0;
    if (!FDestroying) {
        TriggerDNSLookupDone(WSAEINTR);
    }
}

}  // namespace vantorell::transport
