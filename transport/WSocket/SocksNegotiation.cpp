#include "transport/WSocket/SocksNegotiation.h"

namespace vantorell::transport {
namespace {

// Every text of a request travels with a one-byte length or ends at a NUL byte: longer
// texts, or a NUL inside a NUL-terminated one, would change what the server reads.
constexpr std::size_t kMaxField = 255;

std::string FieldError(const std::string& Text, const char* Name, bool NulEnded) {
    if (Text.size() > kMaxField) {
        return std::string(Name) + " longer than 255 bytes";
    }
    if (NulEnded && Text.find('\0') != std::string::npos) {
        return std::string(Name) + " contains a NUL byte";
    }
    return std::string();
}

TSocksRequest Refused(std::string Error) {
    return TSocksRequest{std::string(), std::move(Error)};
}

void AppendPort(std::string& Out, std::uint16_t Port) {
    Out += static_cast<char>(Port >> 8);
    Out += static_cast<char>(Port & 0xFF);
}

std::uint8_t Byte(const std::string& Data, std::size_t Index) {
    return static_cast<std::uint8_t>(Data[Index]);
}

TSocksReply Failed(int Code, std::string Msg) {
    TSocksReply reply;
    reply.Status = TSocksReplyStatus::Failed;
    reply.Code = Code;
    reply.Msg = std::move(Msg);
    return reply;
}

TSocksReply Done(std::size_t Length, std::uint8_t Method = 0) {
    TSocksReply reply;
    reply.Status = TSocksReplyStatus::Done;
    reply.Length = Length;
    reply.Method = Method;
    return reply;
}

}  // namespace

TSocksRequest SocksMethodRequest(std::uint8_t Method) {
    // A client with a user name offers no authentication too: a server that needs none
    // would otherwise refuse it.
    if (Method == SOCKS_METHOD_USERCODE) {
        return TSocksRequest{std::string{'\x05', '\x02', '\x00', '\x02'}, std::string()};
    }
    return TSocksRequest{std::string{'\x05', '\x01', static_cast<char>(Method)}, std::string()};
}

TSocksRequest SocksUsercodeRequest(const std::string& Usercode, const std::string& Password) {
    if (auto error = FieldError(Usercode, "socks user code", false); !error.empty()) {
        return Refused(error);
    }
    if (auto error = FieldError(Password, "socks password", false); !error.empty()) {
        return Refused(error);
    }
    std::string out{'\x01'};
    out += static_cast<char>(Usercode.size());
    out += Usercode;
    out += static_cast<char>(Password.size());
    out += Password;
    return TSocksRequest{out, std::string()};
}

TSocksRequest Socks4ConnectRequest(std::uint16_t Port, std::uint32_t Address,
                                   const std::string& Usercode) {
    if (auto error = FieldError(Usercode, "socks user code", true); !error.empty()) {
        return Refused(error);
    }
    std::string out{'\x04', '\x01'};
    AppendPort(out, Port);
    // The address is in network order: its bytes go out as they are stored.
    out.append(reinterpret_cast<const char*>(&Address), sizeof Address);
    out += Usercode;
    out += '\0';
    return TSocksRequest{out, std::string()};
}

TSocksRequest Socks4AConnectRequest(std::uint16_t Port, const std::string& Usercode,
                                    const std::string& Host) {
    if (auto error = FieldError(Usercode, "socks user code", true); !error.empty()) {
        return Refused(error);
    }
    if (auto error = FieldError(Host, "host name", true); !error.empty()) {
        return Refused(error);
    }
    // Address 0.0.0.1 tells the server to resolve the host name that follows.
    std::string out{'\x04', '\x01'};
    AppendPort(out, Port);
    out += std::string{'\0', '\0', '\0', '\x01'};
    out += Usercode;
    out += '\0';
    out += Host;
    out += '\0';
    return TSocksRequest{out, std::string()};
}

TSocksRequest Socks5ConnectRequest(const std::string& Host, std::uint16_t Port) {
    if (auto error = FieldError(Host, "host name", true); !error.empty()) {
        return Refused(error);
    }
    // Always sent as a host name (address type 3), also a dotted address.
    std::string out{'\x05', '\x01', '\x00', '\x03'};
    out += static_cast<char>(Host.size());
    out += Host;
    AppendPort(out, Port);
    return TSocksRequest{out, std::string()};
}

TSocksReply SocksMethodReply(const std::string& Data) {
    if (Data.size() < 2) {
        return TSocksReply{};
    }
    if (Byte(Data, 0) != 0x05) {
        return Failed(SOCKS_ERR_VERSION, "socks version error");
    }
    const std::uint8_t method = Byte(Data, 1);
    if (method != SOCKS_METHOD_NONE && method != SOCKS_METHOD_USERCODE) {
        return Failed(SOCKS_ERR_METHOD, "authentification method not acceptable");
    }
    return Done(2, method);
}

TSocksReply SocksUsercodeReply(const std::string& Data) {
    if (!Data.empty() && Byte(Data, 0) != 0x01) {
        return Failed(SOCKS_ERR_VERSION, "socks version error");
    }
    if (Data.size() == 2) {
        if (Byte(Data, 1) != 0) {
            return Failed(SOCKS_ERR_AUTH, "socks authentication failed");
        }
        return Done(2);
    }
    if (Data.size() > 2) {
        return Failed(SOCKS_ERR_LOGIC, "too much data availaible");
    }
    return TSocksReply{};
}

TSocksReply Socks4ConnectReply(const std::string& Data) {
    if (Data.size() < 8) {
        return TSocksReply{};
    }
    if (Byte(Data, 0) != 0) {
        return Failed(SOCKS_ERR_VERSION, "socks version error");
    }
    switch (Byte(Data, 1)) {
        case 90:
            return Done(8);
        case 91:
            return Failed(SOCKS_ERR_REJECTED, "request rejected or failed");
        case 92:
            return Failed(20008, "connection refused");
        case 93:
            return Failed(SOCKS_ERR_AUTH, "authentification failed");
        default:
            return Failed(SOCKS_ERR_UNASSIGNED,
                          "unassigned error #" + std::to_string(Byte(Data, 1)));
    }
}

TSocksReply Socks5ReplyCodeError(std::uint8_t ReplyCode) {
    static const char* const kTexts[] = {
        "general SOCKS server failure", "connection not allowed by ruleset",
        "network unreachable",          "host unreachable",
        "connection refused",           "time to live expired",
        "command not supported",        "address type not supported"};
    if (ReplyCode >= 1 && ReplyCode <= 8) {
        return Failed(20003 + ReplyCode, kTexts[ReplyCode - 1]);
    }
    return Failed(SOCKS_ERR_UNASSIGNED, "unassigned error #" + std::to_string(ReplyCode));
}

TSocksReply Socks5ConnectReply(const std::string& Data) {
    if (!Data.empty() && Byte(Data, 0) != 0x05) {
        return Failed(SOCKS_ERR_VERSION, "socks version error");
    }
    if (Data.size() >= 2 && Byte(Data, 1) != 0) {
        return Socks5ReplyCodeError(Byte(Data, 1));
    }
    if (Data.size() < 5) {
        return TSocksReply{};
    }
    // Version, reply, reserved, address type, the bound address, the bound port.
    const std::uint8_t type = Byte(Data, 3);
    const std::size_t length = type == 1 ? 10 : type == 3 ? 7 + Byte(Data, 4) : 5;
    if (Data.size() < length) {
        return TSocksReply{};
    }
    if (type != 1 && type != 3) {
        return Failed(20011, "address type not supported");
    }
    return Done(length);
}

}  // namespace vantorell::transport
