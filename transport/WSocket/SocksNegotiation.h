#pragma once
// The bytes of a SOCKS 4, 4A and 5 negotiation: building the client's requests and judging
// the server's replies, as plain functions over byte strings.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantorell::transport {

// SOCKS error codes, passed to OnSocksError and as the error of the session events.
inline constexpr int SOCKS_ERR_LOGIC = 20001;
inline constexpr int SOCKS_ERR_VERSION = 20002;
inline constexpr int SOCKS_ERR_METHOD = 20003;
inline constexpr int SOCKS_ERR_UNASSIGNED = 20012;
inline constexpr int SOCKS_ERR_AUTH = 20015;
inline constexpr int SOCKS_ERR_REJECTED = 20016;
inline constexpr int SOCKS_ERR_RESOLVE = 20017;

// An error word of the SOCKS range rather than a Winsock one.
inline constexpr bool IsSocksError(int Error) {
    return Error >= SOCKS_ERR_LOGIC && Error <= SOCKS_ERR_RESOLVE;
}

// SOCKS 5 methods.
inline constexpr std::uint8_t SOCKS_METHOD_NONE = 0;
inline constexpr std::uint8_t SOCKS_METHOD_USERCODE = 2;

// The longest reply a server can give: a SOCKS 5 reply with a 255-byte host name.
inline constexpr std::size_t SOCKS_MAX_REPLY = 7 + 255;

// A request to send; when it cannot be built, Bytes is empty and Error says why.
struct TSocksRequest {
    std::string Bytes;
    std::string Error;
};

// The method selection: no authentication alone, or with the user name method both.
TSocksRequest SocksMethodRequest(std::uint8_t Method);
TSocksRequest SocksUsercodeRequest(const std::string& Usercode, const std::string& Password);
// Port in host order, Address in network order.
TSocksRequest Socks4ConnectRequest(std::uint16_t Port, std::uint32_t Address,
                                   const std::string& Usercode);
TSocksRequest Socks4AConnectRequest(std::uint16_t Port, const std::string& Usercode,
                                    const std::string& Host);
TSocksRequest Socks5ConnectRequest(const std::string& Host, std::uint16_t Port);

// What the bytes received so far make of a reply.
enum class TSocksReplyStatus { NeedMore, Done, Failed };

struct TSocksReply {
    TSocksReplyStatus Status = TSocksReplyStatus::NeedMore;
    int Code = 0;             // when Failed
    std::string Msg;          // when Failed
    std::size_t Length = 0;   // when Done: the bytes the reply took
    std::uint8_t Method = 0;  // when Done, for the method selection
};

TSocksReply SocksMethodReply(const std::string& Data);
TSocksReply SocksUsercodeReply(const std::string& Data);
TSocksReply Socks4ConnectReply(const std::string& Data);
TSocksReply Socks5ConnectReply(const std::string& Data);

// The error text of a SOCKS 5 reply code other than 0, with its SOCKS error code.
TSocksReply Socks5ReplyCodeError(std::uint8_t ReplyCode);

}  // namespace vantorell::transport
