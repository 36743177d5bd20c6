// Name look-ups of the table: services, protocols, hosts and addresses, through the
// system's re-entrant calls.

#include <arpa/inet.h>
#include <netdb.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "transport/WSocket/PosixApi.h"
#include "transport/WSocket/WinsockErrors.h"

namespace vantorell::transport {
namespace {

std::vector<std::string> Aliases(char** list) {
    std::vector<std::string> result;
    for (char** p = list; p != nullptr && *p != nullptr; ++p) {
        result.emplace_back(*p);
    }
    return result;
}

std::optional<TServEnt> GetServByName(const std::string& name, const std::string* proto) {
    servent entry{};
    servent* found = nullptr;
    std::vector<char> scratch(4096);
    const int rc = ::getservbyname_r(name.c_str(), proto != nullptr ? proto->c_str() : nullptr,
                                     &entry, scratch.data(), scratch.size(), &found);
    if (rc != 0 || found == nullptr) {
        SetThreadLastError(WSANO_DATA);
        return std::nullopt;
    }
    return TServEnt{entry.s_name, Aliases(entry.s_aliases),
                    static_cast<std::uint16_t>(entry.s_port), entry.s_proto};
}

std::optional<TProtoEnt> GetProtoByName(const std::string& name) {
    protoent entry{};
    protoent* found = nullptr;
    std::vector<char> scratch(4096);
    const int rc = ::getprotobyname_r(name.c_str(), &entry, scratch.data(), scratch.size(), &found);
    if (rc != 0 || found == nullptr) {
        SetThreadLastError(WSANO_DATA);
        return std::nullopt;
    }
    return TProtoEnt{entry.p_name, Aliases(entry.p_aliases),
                     static_cast<std::int16_t>(entry.p_proto)};
}

std::optional<THostEnt> GetHostByName(const std::string& name) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* list = nullptr;
    const int rc = ::getaddrinfo(name.c_str(), nullptr, &hints, &list);
    if (rc != 0) {
        SetThreadLastError(WinsockErrorFromResolver(rc));
        return std::nullopt;
    }
    THostEnt entry;
    entry.h_name = list->ai_canonname != nullptr ? list->ai_canonname : name;
    for (const addrinfo* p = list; p != nullptr; p = p->ai_next) {
        const auto* in = reinterpret_cast<const sockaddr_in*>(p->ai_addr);
        const std::uint32_t address = in->sin_addr.s_addr;
        if (std::find(entry.h_addr_list.begin(), entry.h_addr_list.end(), address) ==
            entry.h_addr_list.end()) {
            entry.h_addr_list.push_back(address);
        }
    }
    ::freeaddrinfo(list);
    return entry;
}

std::optional<THostEnt> GetHostByAddr(std::uint32_t addr, int len, int type) {
    if (len != 4 || type != WSOCK_AF_INET) {
        SetThreadLastError(WSAEAFNOSUPPORT);
        return std::nullopt;
    }
    sockaddr_in in{};
    in.sin_family = AF_INET;
    in.sin_addr.s_addr = addr;
    char host[NI_MAXHOST] = {};
    const int rc = ::getnameinfo(reinterpret_cast<const sockaddr*>(&in), sizeof in, host,
                                 sizeof host, nullptr, 0, NI_NAMEREQD);
    if (rc != 0) {
        SetThreadLastError(WinsockErrorFromResolver(rc));
        return std::nullopt;
    }
    THostEnt entry;
    entry.h_name = host;
    entry.h_addr_list.push_back(addr);
    return entry;
}

}  // namespace

void AddPosixHostDatabase(TWinsockApi& api) {
    api.getservbyname = GetServByName;
    api.getprotobyname = GetProtoByName;
    api.gethostbyname = GetHostByName;
    api.gethostbyaddr = GetHostByAddr;
    api.gethostname = [](char* name, int namelen) {
        if (name == nullptr || namelen <= 0) {
            SetThreadLastError(WSAEFAULT);
            return SOCKET_ERROR;
        }
        if (::gethostname(name, static_cast<std::size_t>(namelen)) != 0) {
            return FailWithErrno();
        }
        name[namelen - 1] = '\0';
        return 0;
    };
    api.inet_ntoa = [](TInAddr in) {
        char text[INET_ADDRSTRLEN] = {};
        ::inet_ntop(AF_INET, &in, text, sizeof text);
        return std::string(text);
    };
    api.inet_addr = [](const std::string& cp) -> std::uint32_t { return ::inet_addr(cp.c_str()); };
}

}  // namespace vantorell::transport
