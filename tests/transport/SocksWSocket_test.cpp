// The SOCKS client against a scripted server on 127.0.0.1: the test plays the server's
// part byte by byte.

#include <gtest/gtest.h>

#include <optional>

#include "tests/support/ByteText.h"
#include "tests/support/LoopbackPeer.h"
#include "tests/support/SocketRecorder.h"
#include "tests/support/SocksRecorder.h"
#include "tests/support/WinsockFaults.h"
#include "transport/WSocket/WSocket.h"

namespace vantorell::transport {
namespace {

using test::kSocketDeadline;
using test::raisedMessage;
using test::waitUntil;
using Events = std::vector<std::string>;
const auto B = test::bytesOf;

const std::string kSocks5Granted = B({5, 0, 0, 1, 127, 0, 0, 1, 0, 80});
const std::string kSocks4Granted = B({0, 90, 0, 0, 0, 0, 0, 0});

class SocksClient : public ::testing::Test {
protected:
    void start(const std::string& level, const std::string& addr = "target.test") {
        client.SetSocksServer("127.0.0.1");
        client.SetSocksPort(server.portText());
        client.SetSocksLevel(level);
        client.SetAddr(addr);
        client.SetPort("8021");
        client.Connect();
        ASSERT_TRUE(server.accept(kSocketDeadline));
    }
    // Waits until the client has sent Size bytes in all; they are in got.
    bool sent(std::size_t size) {
        return waitUntil([&] {
            server.readAvailable(got);
            return got.size() >= size;
        });
    }
    // Waits for the client's next request, then answers it.
    bool answer(const std::string& reply) { return sent(got.size() + 1) && deliver(reply); }
    // Sends bytes to the client and waits until it has read them.
    bool deliver(const std::string& bytes) {
        return server.sendAll(bytes) && waitUntil([&] {
                   return client.HSocket() == INVALID_SOCKET || client.RcvdCount() == 0;
               });
    }

    test::LoopbackPeer server;
    TWSocket client;
    test::SocksRecorder events{client};
    std::string got;
};

TEST_F(SocksClient, Socks5ReplyInPiecesThenTargetDataFirst) {
    start("5");
    ASSERT_TRUE(sent(3));
    EXPECT_EQ(got, B({5, 1, 0}));
    ASSERT_TRUE(deliver(B({5, 0})));
    ASSERT_TRUE(sent(3 + 5 + 11 + 2));
    EXPECT_EQ(got.substr(3), B({5, 1, 0, 3, 11}) + "target.test" + B({0x1F, 0x55}));

    ASSERT_TRUE(deliver(B({5, 0, 0})));
    ASSERT_TRUE(deliver(B({1, 127, 0})));
    EXPECT_EQ(events.events(), Events{"socks connected 0"});
    // The rest of the reply and the target's first bytes arrive in one read.
    ASSERT_TRUE(server.sendAll(B({0, 1, 0, 80}) + "first"));
    ASSERT_TRUE(events.waitForReceived(5));
    ASSERT_TRUE(server.sendAll("second"));
    ASSERT_TRUE(events.waitForReceived(11));
    EXPECT_EQ(events.received(), "firstsecond");
    EXPECT_EQ(events.events(), (Events{"socks connected 0", "connected 0"}));
    EXPECT_EQ(client.ReadCount(), 11);

    got.clear();
    client.SendStr("to the target");
    ASSERT_TRUE(sent(13));
    EXPECT_EQ(got, "to the target");
}

TEST_F(SocksClient, Socks5AuthenticatesOnlyOnceTheWholeReplyIsIn) {
    client.SetSocksAuthentication(socksAuthenticateUsercode);
    client.SetSocksUsercode("user");
    client.SetSocksPassword("secret");
    start("5");
    ASSERT_TRUE(sent(4));
    EXPECT_EQ(got, B({5, 2, 0, 2}));
    ASSERT_TRUE(deliver(B({5, 2})));
    ASSERT_TRUE(sent(4 + 13));
    EXPECT_EQ(got.substr(4), B({1, 4}) + "user" + B({6}) + "secret");

    ASSERT_TRUE(deliver(B({1})));
    EXPECT_EQ(events.events(), (Events{"socks connected 0", "auth start"}));
    ASSERT_TRUE(deliver(B({0})));
    ASSERT_TRUE(answer(kSocks5Granted));
    ASSERT_TRUE(events.waitFor("connected 0"));
    EXPECT_EQ(events.events(),
              (Events{"socks connected 0", "auth start", "auth success", "connected 0"}));
}

TEST_F(SocksClient, Socks5ServerThatNeedsNoAuthentication) {
    client.SetSocksAuthentication(socksAuthenticateUsercode);
    start("5");
    ASSERT_TRUE(answer(B({5, 0})));
    ASSERT_TRUE(answer(kSocks5Granted));
    ASSERT_TRUE(events.waitFor("connected 0"));
    EXPECT_EQ(events.events(), (Events{"socks connected 0", "auth not required", "connected 0"}));
    EXPECT_EQ(got[4], 5);  // the connect request followed the method selection
}

struct FailureCase {
    const char* name;
    bool authenticate;
    std::vector<std::string> replies;
    Events events;
};

class SocksFailure : public SocksClient, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(SocksFailure, EndsInErrorConnectedAndClosedWithTheCode) {
    const FailureCase& c = GetParam();
    if (c.authenticate) {
        client.SetSocksAuthentication(socksAuthenticateUsercode);
    }
    start("5");
    for (const auto& reply : c.replies) {
        ASSERT_TRUE(answer(reply));
    }
    ASSERT_TRUE(waitUntil([&] { return events.events().size() >= c.events.size(); }));
    EXPECT_EQ(events.events(), c.events);
    EXPECT_EQ(client.State(), wsClosed);
    EXPECT_EQ(client.SocksState(), socksData);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, SocksFailure,
    ::testing::Values(FailureCase{"MethodRefused",
                                  false,
                                  {B({5, 255})},
                                  {"socks connected 0",
                                   "socks error 20003 authentification method not acceptable",
                                   "connected 20003", "closed 20003"}},
                      FailureCase{"AuthRefused",
                                  true,
                                  {B({5, 2}), B({1, 1})},
                                  {"socks connected 0", "auth start", "auth failure",
                                   "socks error 20015 socks authentication failed",
                                   "connected 20015", "closed 20015"}},
                      FailureCase{"ConnectionRefused",
                                  false,
                                  {B({5, 0}), B({5, 5, 0, 1, 0, 0, 0, 0, 0, 0})},
                                  {"socks connected 0", "socks error 20008 connection refused",
                                   "connected 20008", "closed 20008"}},
                      FailureCase{
                          "Ipv6BoundAddress",
                          false,
                          {B({5, 0}), B({5, 0, 0, 4}) + std::string(18, '\0')},
                          {"socks connected 0", "socks error 20011 address type not supported",
                           "connected 20011", "closed 20011"}}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(SocksClient, ServerClosingDuringTheNegotiationFailsTheConnect) {
    start("5");
    ASSERT_TRUE(sent(3));
    server.closeConnection();
    ASSERT_TRUE(events.waitFor("closed 10054"));
    EXPECT_EQ(events.events(),
              (Events{"socks connected 0", "socks error 10054 Connection reset by peer",
                      "connected 10054", "closed 10054"}));
}

TEST_F(SocksClient, Socks4SendsTheResolvedTargetAndUserCode) {
    client.SetSocksUsercode("alice");
    start("4", "127.0.0.1");
    ASSERT_TRUE(sent(8 + 6));
    EXPECT_EQ(got, B({4, 1, 0x1F, 0x55, 127, 0, 0, 1}) + "alice" + B({0}));
    ASSERT_TRUE(server.sendAll(kSocks4Granted + "hello"));
    ASSERT_TRUE(events.waitForReceived(5));
    EXPECT_EQ(events.received(), "hello");
    EXPECT_EQ(events.events(), (Events{"socks connected 0", "connected 0"}));

    EXPECT_EQ(raisedMessage([&] { client.SetSocksLevel("5"); }),
              "Can't change socks level if not closed");
    EXPECT_EQ(raisedMessage([&] { client.SetSocksServer(""); }),
              "Can't change socks server if not closed");
    EXPECT_EQ(raisedMessage([&] { client.SetSocksPort("1080"); }),
              "Can't change socks port if not closed");
    // A close forgets server, port and level, not the user code.
    client.Close();
    EXPECT_EQ(client.SocksLevel(), "5");
    EXPECT_EQ(client.SocksServer(), "");
    EXPECT_EQ(client.SocksPort(), "");
    EXPECT_EQ(client.SocksUsercode(), "alice");
}

TEST_F(SocksClient, Socks4ALetsTheServerResolveTheName) {
    client.SetSocksUsercode("alice");
    start("4a");
    EXPECT_EQ(client.SocksLevel(), "4A");
    ASSERT_TRUE(sent(8 + 6 + 12));
    EXPECT_EQ(got, B({4, 1, 0x1F, 0x55, 0, 0, 0, 1}) + "alice" + B({0}) + "target.test" + B({0}));
    ASSERT_TRUE(server.sendAll(B({0, 91, 0, 0, 0, 0, 0, 0})));
    ASSERT_TRUE(events.waitFor("closed 20016"));
    EXPECT_EQ(events.events(),
              (Events{"socks connected 0", "socks error 20016 request rejected or failed",
                      "connected 20016", "closed 20016"}));
}

TEST_F(SocksClient, Socks4TargetThatCannotBeResolvedSendsNothing) {
    test::ApiOverride faults;
    faults.api().gethostbyname = [](const std::string&) -> std::optional<THostEnt> {
        WinsockApi().WSASetLastError(WSAHOST_NOT_FOUND);
        return std::nullopt;
    };
    start("4", "nowhere.test");
    ASSERT_TRUE(events.waitFor("closed 20017"));
    EXPECT_EQ(events.events(),
              (Events{"socks connected 0",
                      "socks error 20017 ESocketException WSocketResolveHost: Cannot convert host "
                      "address 'nowhere.test', Error #11001",
                      "connected 20017", "closed 20017"}));
    EXPECT_FALSE(server.readAvailable(got));
    EXPECT_EQ(got, "");
}

TEST_F(SocksClient, TargetLinesArriveWithTheReplyInLineMode) {
    std::vector<std::string> lines;
    client.OnDataAvailable = [&](TObject*, TWord) { lines.push_back(client.ReceiveStr()); };
    client.SetLineMode(true);
    start("5");
    ASSERT_TRUE(answer(B({5, 0})));
    ASSERT_TRUE(answer(kSocks5Granted + "one\r\ntwo\r\nthr"));
    ASSERT_TRUE(server.sendAll("ee\r\n"));
    ASSERT_TRUE(waitUntil([&] { return lines.size() == 3; }));
    EXPECT_EQ(lines, (std::vector<std::string>{"one\r\n", "two\r\n", "three\r\n"}));
}

TEST(SocksServerAbsent, RefusedConnectionReportedAsSocksConnectedThenConnected) {
    TWSocket client;
    test::SocksRecorder events(client);
    client.SetSocksServer("127.0.0.1");
    client.SetSocksPort(std::to_string(test::freeLoopbackPort()));
    client.SetAddr("target.test");
    client.SetPort("21");
    client.Connect();
    ASSERT_TRUE(events.waitFor("closed 0"));
    EXPECT_EQ(events.events(), (Events{"socks connected 10061", "connected 10061", "closed 0"}));
    EXPECT_EQ(client.SocksState(), socksData);
}

TEST(SocksSettings, RefusalsBeforeAnythingIsSent) {
    TWSocket socket;
    EXPECT_EQ(raisedMessage([&] { socket.SetSocksLevel("6"); }),
              "Invalid socks level. Must be 4, 4A or 5.");
    EXPECT_EQ(socket.SocksLevel(), "5");
    socket.SetSocksServer("  127.0.0.1 ");
    EXPECT_EQ(socket.SocksServer(), "127.0.0.1");
    socket.SetSocksPort("1080");
    socket.SetAddr("target.test");
    socket.SetPort("21");
    EXPECT_EQ(raisedMessage([&] { socket.Listen(); }),
              "Listening is not supported thru socks server");

    socket.SetProto("udp");
    EXPECT_EQ(raisedMessage([&] { socket.Connect(); }),
              "tcp is the only protocol supported thru socks server");
    socket.SetProto("TCP");
    socket.SetSocksAuthentication(socksAuthenticateUsercode);
    socket.SetSocksUsercode(std::string(256, 'u'));
    EXPECT_EQ(raisedMessage([&] { socket.Connect(); }),
              "connect: socks user code longer than 255 bytes");
    socket.SetSocksLevel("4");
    socket.SetSocksUsercode(std::string("a\0b", 3));
    EXPECT_EQ(raisedMessage([&] { socket.Connect(); }),
              "connect: socks user code contains a NUL byte");
    EXPECT_EQ(socket.State(), wsClosed);
}

}  // namespace
}  // namespace vantorell::transport
