// The bytes of the SOCKS requests and the judging of the servers' replies.

#include "transport/WSocket/SocksNegotiation.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include "tests/support/ByteText.h"

namespace vantorell::transport {
namespace {

const auto B = test::bytesOf;

TEST(SocksNegotiation, RequestsCarryTheirFieldsInOrder) {
    EXPECT_EQ(SocksMethodRequest(SOCKS_METHOD_NONE).Bytes, B({5, 1, 0}));
    // With a user name, no authentication is offered too.
    EXPECT_EQ(SocksMethodRequest(SOCKS_METHOD_USERCODE).Bytes, B({5, 2, 0, 2}));
    EXPECT_EQ(SocksUsercodeRequest("bob", "pw").Bytes, B({1, 3}) + "bob" + B({2}) + "pw");
    EXPECT_EQ(SocksUsercodeRequest("", "").Bytes, B({1, 0, 0}));
    EXPECT_EQ(Socks4ConnectRequest(8021, htonl(0x7F000001), "alice").Bytes,
              B({4, 1, 0x1F, 0x55, 127, 0, 0, 1}) + "alice" + B({0}));
    EXPECT_EQ(Socks4AConnectRequest(21, "", "ftp.test").Bytes,
              B({4, 1, 0, 21, 0, 0, 0, 1, 0}) + "ftp.test" + B({0}));
    // A dotted target also goes as a host name.
    EXPECT_EQ(Socks5ConnectRequest("10.1.2.3", 443).Bytes,
              B({5, 1, 0, 3, 8}) + "10.1.2.3" + B({1, 0xBB}));
}

TEST(SocksNegotiation, FieldsTheRequestCannotCarryAreRefused) {
    const std::string longest(255, 'x');
    const std::string tooLong(256, 'x');
    const std::string withNul("ab\0cd", 5);
    EXPECT_TRUE(SocksUsercodeRequest(longest, longest).Error.empty());
    EXPECT_EQ(SocksUsercodeRequest(tooLong, "").Error, "socks user code longer than 255 bytes");
    EXPECT_EQ(SocksUsercodeRequest("", tooLong).Error, "socks password longer than 255 bytes");
    // Length-prefixed: a NUL is just a byte.
    EXPECT_TRUE(SocksUsercodeRequest(withNul, withNul).Error.empty());
    EXPECT_EQ(Socks4ConnectRequest(1, 0, withNul).Error, "socks user code contains a NUL byte");
    EXPECT_EQ(Socks4AConnectRequest(1, "", withNul).Error, "host name contains a NUL byte");
    EXPECT_EQ(Socks5ConnectRequest(tooLong, 1).Error, "host name longer than 255 bytes");
    EXPECT_EQ(Socks5ConnectRequest(withNul, 1).Error, "host name contains a NUL byte");
    EXPECT_TRUE(Socks5ConnectRequest(tooLong, 1).Bytes.empty());
}

struct ReplyCase {
    const char* name;
    TSocksReply (*judge)(const std::string&);
    std::string data;
    TSocksReplyStatus status;
    int code;         // when failed
    const char* msg;  // when failed
    std::size_t length;
};

class SocksReplies : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(SocksReplies, AreJudgedByTheirBytes) {
    const ReplyCase& c = GetParam();
    const TSocksReply reply = c.judge(c.data);
    ASSERT_EQ(reply.Status, c.status);
    if (c.status == TSocksReplyStatus::Failed) {
        EXPECT_EQ(reply.Code, c.code);
        EXPECT_EQ(reply.Msg, c.msg);
    }
    if (c.status == TSocksReplyStatus::Done) {
        EXPECT_EQ(reply.Length, c.length);
    }
}

using S = TSocksReplyStatus;
const std::string kHost(200, 'h');

INSTANTIATE_TEST_SUITE_P(
    Table, SocksReplies,
    ::testing::Values(ReplyCase{"MethodOneByte", SocksMethodReply, B({5}), S::NeedMore, 0, "", 0},
                      ReplyCase{"MethodNone", SocksMethodReply, B({5, 0}), S::Done, 0, "", 2},
                      ReplyCase{"MethodUsercode", SocksMethodReply, B({5, 2}), S::Done, 0, "", 2},
                      ReplyCase{"MethodRefused", SocksMethodReply, B({5, 255}), S::Failed, 20003,
                                "authentification method not acceptable", 0},
                      ReplyCase{"MethodVersion", SocksMethodReply, B({4, 0}), S::Failed, 20002,
                                "socks version error", 0},
                      ReplyCase{"AuthOneByte", SocksUsercodeReply, B({1}), S::NeedMore, 0, "", 0},
                      ReplyCase{"AuthVersion", SocksUsercodeReply, B({5}), S::Failed, 20002,
                                "socks version error", 0},
                      ReplyCase{"AuthAccepted", SocksUsercodeReply, B({1, 0}), S::Done, 0, "", 2},
                      ReplyCase{"AuthRefused", SocksUsercodeReply, B({1, 1}), S::Failed, 20015,
                                "socks authentication failed", 0},
                      ReplyCase{"AuthTooLong", SocksUsercodeReply, B({1, 0, 0}), S::Failed, 20001,
                                "too much data availaible", 0},
                      ReplyCase{"Socks4Short", Socks4ConnectReply, B({0, 90, 0, 0, 0, 0, 0}),
                                S::NeedMore, 0, "", 0},
                      ReplyCase{"Socks4Granted", Socks4ConnectReply, B({0, 90, 0, 0, 0, 0, 0, 0}),
                                S::Done, 0, "", 8},
                      ReplyCase{"Socks4Rejected", Socks4ConnectReply, B({0, 91, 0, 0, 0, 0, 0, 0}),
                                S::Failed, 20016, "request rejected or failed", 0},
                      ReplyCase{"Socks4NoIdent", Socks4ConnectReply, B({0, 92, 0, 0, 0, 0, 0, 0}),
                                S::Failed, 20008, "connection refused", 0},
                      ReplyCase{"Socks4UserId", Socks4ConnectReply, B({0, 93, 0, 0, 0, 0, 0, 0}),
                                S::Failed, 20015, "authentification failed", 0},
                      ReplyCase{"Socks4Other", Socks4ConnectReply, B({0, 94, 0, 0, 0, 0, 0, 0}),
                                S::Failed, 20012, "unassigned error #94", 0},
                      ReplyCase{"Socks4Version", Socks4ConnectReply, B({4, 90, 0, 0, 0, 0, 0, 0}),
                                S::Failed, 20002, "socks version error", 0},
                      ReplyCase{"Socks5Version", Socks5ConnectReply, B({4}), S::Failed, 20002,
                                "socks version error", 0},
                      // The reply code is judged as soon as it is in.
                      ReplyCase{"Socks5General", Socks5ConnectReply, B({5, 1}), S::Failed, 20004,
                                "general SOCKS server failure", 0},
                      ReplyCase{"Socks5Refused", Socks5ConnectReply, B({5, 5}), S::Failed, 20008,
                                "connection refused", 0},
                      ReplyCase{"Socks5AddressType", Socks5ConnectReply, B({5, 8}), S::Failed,
                                20011, "address type not supported", 0},
                      ReplyCase{"Socks5Unassigned", Socks5ConnectReply, B({5, 9}), S::Failed, 20012,
                                "unassigned error #9", 0},
                      ReplyCase{"Socks5Partial", Socks5ConnectReply,
                                B({5, 0, 0, 1, 127, 0, 0, 1, 0}), S::NeedMore, 0, "", 0},
                      ReplyCase{"Socks5Ipv4", Socks5ConnectReply,
                                B({5, 0, 0, 1, 127, 0, 0, 1, 0, 80}), S::Done, 0, "", 10},
                      // Bytes behind the reply are the target's: not part of it.
                      ReplyCase{"Socks5Behind", Socks5ConnectReply,
                                B({5, 0, 0, 1, 127, 0, 0, 1, 0, 80}) + "data", S::Done, 0, "", 10},
                      ReplyCase{"Socks5LongName", Socks5ConnectReply,
                                B({5, 0, 0, 3, 200}) + kHost + B({0, 80}), S::Done, 0, "", 207},
                      ReplyCase{"Socks5LongNameShort", Socks5ConnectReply,
                                B({5, 0, 0, 3, 200}) + kHost, S::NeedMore, 0, "", 0},
                      // An IPv6 bound address cannot be read.
                      ReplyCase{"Socks5Ipv6", Socks5ConnectReply, B({5, 0, 0, 4, 0}), S::Failed,
                                20011, "address type not supported", 0}),
    [](const ::testing::TestParamInfo<ReplyCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantorell::transport
