// The SOCKS client through real SOCKS servers on 127.0.0.1 to a target on 127.0.0.1.

#include <gtest/gtest.h>

#include "tests/servers/SocksServers.h"
#include "tests/support/LoopbackPeer.h"
#include "tests/support/SocksRecorder.h"
#include "transport/WSocket/WSocket.h"

namespace vantorell::transport {
namespace {

using test::kSocketDeadline;
using Events = std::vector<std::string>;

struct Through {
    test::PeerServer& server;
    std::string level;
    std::string target;  // the target's host as the client names it
    int targetPort;
};

void ConnectThrough(TWSocket& client, const Through& t) {
    client.SetSocksServer("127.0.0.1");
    client.SetSocksPort(t.server.portText());
    client.SetSocksLevel(t.level);
    client.SetAddr(t.target);
    client.SetPort(std::to_string(t.targetPort));
    client.Connect();
}

// Connects through the server and carries data both ways; the events on the way.
Events RoundTrip(const Through& t, TWSocket& client, test::LoopbackPeer& target) {
    test::SocksRecorder events(client);
    ConnectThrough(client, t);
    // The server answers once it has reached the target.
    EXPECT_TRUE(events.waitFor("connected 0")) << ::testing::PrintToString(events.events());
    if (!target.accept(kSocketDeadline)) {
        ADD_FAILURE() << "the target was not reached";
        return events.events();
    }
    EXPECT_TRUE(target.sendAll("from the target"));
    EXPECT_TRUE(events.waitForReceived(15));
    EXPECT_EQ(events.received(), "from the target");
    client.SendStr("from the client");
    std::string got;
    EXPECT_TRUE(target.read(got, 15, kSocketDeadline));
    EXPECT_EQ(got, "from the client");
    return events.events();
}

TEST(SocksPeer, MicrosocksWithoutAuthentication) {
    std::string failure;
    const auto server = test::startMicrosocks(failure);
    ASSERT_TRUE(server) << failure;
    test::LoopbackPeer target;
    TWSocket client;
    EXPECT_EQ(RoundTrip({*server, "5", "127.0.0.1", target.port()}, client, target),
              (Events{"socks connected 0", "connected 0"}));
}

TEST(SocksPeer, MicrosocksWithUserNameAndPassword) {
    std::string failure;
    const auto server = test::startMicrosocks(failure, "analyst", "s3cret");
    ASSERT_TRUE(server) << failure;
    test::LoopbackPeer target;
    {
        TWSocket client;
        client.SetSocksAuthentication(socksAuthenticateUsercode);
        client.SetSocksUsercode("analyst");
        client.SetSocksPassword("s3cret");
        EXPECT_EQ(RoundTrip({*server, "5", "127.0.0.1", target.port()}, client, target),
                  (Events{"socks connected 0", "auth start", "auth success", "connected 0"}));
    }
    TWSocket client;
    test::SocksRecorder events(client);
    client.SetSocksAuthentication(socksAuthenticateUsercode);
    client.SetSocksUsercode("analyst");
    client.SetSocksPassword("wrong");
    ConnectThrough(client, {*server, "5", "127.0.0.1", target.port()});
    ASSERT_TRUE(events.waitFor("closed 20015")) << ::testing::PrintToString(events.events());
    EXPECT_EQ(events.events(), (Events{"socks connected 0", "auth start", "auth failure",
                                       "socks error 20015 socks authentication failed",
                                       "connected 20015", "closed 20015"}));
}

// The packaged servers do not speak SOCKS 4A (dante takes its address 0.0.0.1 for the
// target): the scripted server of the unit tests covers it.
TEST(SocksPeer, DanteAtBothLevels) {
    std::string failure;
    const auto server = test::startDante(failure);
    ASSERT_TRUE(server) << failure;
    for (const auto& [level, host] :
         std::vector<std::pair<std::string, std::string>>{{"4", "127.0.0.1"}, {"5", "127.0.0.1"}}) {
        SCOPED_TRACE(level);
        test::LoopbackPeer target;
        TWSocket client;
        client.SetSocksUsercode("analyst");
        EXPECT_EQ(RoundTrip({*server, level, host, target.port()}, client, target),
                  (Events{"socks connected 0", "connected 0"}));
    }
}

TEST(SocksPeer, DanteReportsATargetThatRefuses) {
    std::string failure;
    const auto server = test::startDante(failure);
    ASSERT_TRUE(server) << failure;
    const int closedPort = test::freeLoopbackPort();
    for (const auto& [level, code] : std::vector<std::pair<std::string, std::string>>{
             {"4", "20016 request rejected or failed"}, {"5", "20008 connection refused"}}) {
        SCOPED_TRACE(level);
        TWSocket client;
        test::SocksRecorder events(client);
        ConnectThrough(client, {*server, level, "127.0.0.1", closedPort});
        ASSERT_TRUE(events.waitFor("closed " + code.substr(0, 5)))
            << ::testing::PrintToString(events.events());
        EXPECT_EQ(events.events(),
                  (Events{"socks connected 0", "socks error " + code,
                          "connected " + code.substr(0, 5), "closed " + code.substr(0, 5)}));
    }
}

}  // namespace
}  // namespace vantorell::transport
