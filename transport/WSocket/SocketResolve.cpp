#include "transport/WSocket/SocketResolve.h"

#include "transport/WSocket/ESocketException.h"
#include "transport/WSocket/WinsockApi.h"

namespace vantorell::transport {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr std::size_t kMaxHostLength = 256;
constexpr std::size_t kMaxNameLength = 32;
constexpr std::uint32_t kMaxPort = 65535;

// A port text that names no port fails as a service name that is not found does.
std::string CannotConvertPort(const std::string& Port, int Error = WSANO_DATA) {
    return "WSocketResolvePort: Cannot convert port '" + Port + "', Error #" +
           std::to_string(Error);
}

}  // namespace

std::string WSocketTrim(const std::string& Value) {
    std::size_t first = 0;
    std::size_t last = Value.size();
    while (first < last && static_cast<unsigned char>(Value[first]) <= ' ') {
        ++first;
    }
    while (last > first && static_cast<unsigned char>(Value[last - 1]) <= ' ') {
        --last;
    }
    return Value.substr(first, last - first);
}

int WSocketAtoi(const std::string& Value) {
    std::size_t i = 0;
    while (i < Value.size() && Value[i] == ' ') {
        ++i;
    }
    std::uint32_t result = 0;
    for (; i < Value.size() && IsDigit(Value[i]); ++i) {
        result = result * 10u + static_cast<std::uint32_t>(Value[i] - '0');
    }
    return static_cast<int>(result);
}

bool WSocketIsDottedIP(const std::string& S) {
    std::size_t i = 0;
    while (i < S.size() && S[i] == ' ') {
        ++i;
    }
    if (i < S.size() && S[i] == '.') {
        return false;
    }
    int dots = 0;
    int value = 0;
    for (; i < S.size(); ++i) {
        const char c = S[i];
        if (IsDigit(c)) {
            value = value > 255 ? value : value * 10 + (c - '0');
        } else if (c == '.') {
            if (++dots > 3 || value > 255 || i + 1 >= S.size() || !IsDigit(S[i + 1])) {
                return false;
            }
            value = 0;
        } else {
            // Only blanks may follow the address.
            for (; i < S.size(); ++i) {
                if (S[i] != ' ') {
                    return false;
                }
            }
            break;
        }
    }
    return dots == 3 && value <= 255;
}

std::uint32_t WSocketResolveHost(const std::string& InAddr) {
    if (InAddr.empty() || InAddr.size() > kMaxHostLength) {
        throw ESocketException("WSocketResolveHost: '" + InAddr + "' Invalid Hostname.");
    }
    const std::string host = WSocketTrim(InAddr);
    if (WSocketIsDottedIP(host)) {
        const std::uint32_t address = WSocket_inet_addr(host);
        if (address == WSOCK_INADDR_NONE && host != "255.255.255.255") {
            throw ESocketException("WSocketResolveHost: '" + host + "' Invalid IP address.");
        }
        return address;
    }
    const auto entry = WSocket_gethostbyname(host);
    if (!entry || entry->h_addr_list.empty()) {
        throw ESocketException("WSocketResolveHost: Cannot convert host address '" + host +
                               "', Error #" + std::to_string(WSocket_WSAGetLastError()));
    }
    return entry->h_addr_list.front();
}

std::uint16_t WSocketResolvePort(const std::string& Port, const std::string& Proto) {
    if (Port.empty() || Port.size() >= kMaxNameLength) {
        throw ESocketException("WSocketResolvePort: Invalid Port.");
    }
    if (Proto.empty() || Proto.size() >= kMaxNameLength) {
        throw ESocketException("WSocketResolvePort: Invalid Proto.");
    }
    if (IsDigit(Port[0])) {
        // Only a whole number of the port range names a port: cut to 16 bits or read up to
        // trailing junk, a text would name another port than the one meant.
        const std::string digits = WSocketTrim(Port);
        std::uint32_t value = 0;
        for (const char c : digits) {
            if (!IsDigit(c) || value > kMaxPort) {
                value = kMaxPort + 1;
                break;
            }
            value = value * 10u + static_cast<std::uint32_t>(c - '0');
        }
        if (value > kMaxPort) {
            throw ESocketException(CannotConvertPort(Port));
        }
        return static_cast<std::uint16_t>(value);
    }
    const std::string service = WSocketTrim(Port);
    const std::string protocol = WSocketTrim(Proto);
    const auto entry = WSocket_getservbyname(service, protocol.empty() ? nullptr : &protocol);
    if (!entry) {
        throw ESocketException(CannotConvertPort(Port, WSocket_WSAGetLastError()));
    }
    return WSocket_ntohs(entry->s_port);
}

std::uint16_t WSocketResolveRemotePort(const std::string& Port, const std::string& Proto) {
    const std::uint16_t port = WSocketResolvePort(Port, Proto);
    if (port == 0) {
        throw ESocketException(CannotConvertPort(Port));
    }
    return port;
}

int WSocketResolveProto(const std::string& sProto) {
    if (sProto.empty() || sProto.size() >= kMaxNameLength) {
        throw ESocketException("WSocketResolveProto: Invalid Protocol.");
    }
    const std::string proto = WSocketTrim(sProto);
    if (!proto.empty() && IsDigit(proto[0])) {
        return WSocketAtoi(proto);
    }
    const auto entry = WSocket_getprotobyname(proto);
    if (!entry) {
        throw ESocketException("WSocketResolveProto: Cannot convert protocol '" + proto +
                               "', Error #" + std::to_string(WSocket_WSAGetLastError()));
    }
    return entry->p_proto;
}

}  // namespace vantorell::transport
