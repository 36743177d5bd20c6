#include "tests/fuzz/FuzzNetwork.h"

#include <arpa/inet.h>

#include <algorithm>

#include "transport/WSocket/WinsockApi.h"

namespace vantorell::fuzz {
namespace {

using namespace vantorell::transport;

std::uint64_t mix(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    return x;
}

}  // namespace

LoopbackNetwork::LoopbackNetwork() {
    TWinsockApi& api = WinsockApi();
    const TWinsockApi posix = WSocketPosixApi();
    api.gethostbyname = [](const std::string& name) -> std::optional<THostEnt> {
        in_addr address{};
        if (name == "localhost") {
            address.s_addr = htonl(INADDR_LOOPBACK);
        } else if (::inet_aton(name.c_str(), &address) == 0) {
            WinsockApi().WSASetLastError(WSAHOST_NOT_FOUND);
            return std::nullopt;
        }
        THostEnt entry;
        entry.h_name = name;
        entry.h_addr_list.push_back(address.s_addr);
        return entry;
    };
    api.gethostbyaddr = [](std::uint32_t, int, int) -> std::optional<THostEnt> {
        WinsockApi().WSASetLastError(WSAHOST_NOT_FOUND);
        return std::nullopt;
    };
    api.connect = [this, posix](TSocket s, const TSockAddr* name, int namelen) {
        const auto* in = reinterpret_cast<const sockaddr_in*>(name);
        const bool loopback = name != nullptr && namelen >= static_cast<int>(sizeof *in) &&
                              in->sin_family == AF_INET &&
                              in->sin_addr.s_addr == htonl(INADDR_LOOPBACK);
        if (!loopback || allowed_.count(ntohs(in->sin_port)) == 0) {
            WinsockApi().WSASetLastError(WSAECONNREFUSED);
            return SOCKET_ERROR;
        }
        return posix.connect(s, name, namelen);
    };
    api.recv = [this, posix](TSocket s, void* buf, int len, int flags) {
        if (state_ != 0 && len > 1) {
            state_ = mix(state_ + 0x9e3779b97f4a7c15ULL);
            const int piece = state_ % 8 == 0 ? len : static_cast<int>(1 + (state_ >> 8) % 64);
            len = std::min(len, piece);
        }
        return posix.recv(s, buf, len, flags);
    };
}

void LoopbackNetwork::cutReceives(const std::string& seed) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const char c : seed) {
        h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    }
    state_ = h | 1;
}

}  // namespace vantorell::fuzz
