// The socket library is started on the first socket call and cleaned up with the last
// socket object.

#include <gtest/gtest.h>

#include "tests/support/SocketRecorder.h"
#include "tests/support/WinsockFaults.h"
#include "transport/WSocket/CustomWSocket.h"
#include "transport/WSocket/WinsockApi.h"

namespace vantorell::transport {
namespace {

class WinsockLoading : public ::testing::Test {
protected:
    void SetUp() override {
        WSocketUnloadWinsock();
        faults.api().WSAStartup = [this](std::uint16_t version, TWSAData& data) {
            ++startups;
            return faults.original().WSAStartup(version, data);
        };
        faults.api().WSACleanup = [this] {
            ++cleanups;
            return 0;
        };
    }
    void TearDown() override { WSocketUnloadWinsock(); }

    test::ApiOverride faults;
    int startups = 0;
    int cleanups = 0;
};

TEST_F(WinsockLoading, SocketObjectsAloneNeverLoadIt) {
    {
        TCustomWSocket a;
        TCustomWSocket b;
        a.SetAddr("127.0.0.1");
    }
    EXPECT_FALSE(WSocketIsLoaded());
    EXPECT_EQ(startups, 0);
}

TEST_F(WinsockLoading, FirstCallLoadsAndTheLastObjectUnloads) {
    auto first = std::make_unique<TCustomWSocket>();
    {
        TCustomWSocket second;
        second.SetProto("udp");
        second.SetAddr("127.0.0.1");
        second.SetPort("0");
        second.Listen();
        EXPECT_TRUE(WSocketIsLoaded());
        EXPECT_EQ(startups, 1);
    }
    EXPECT_TRUE(WSocketIsLoaded());
    first.reset();
    EXPECT_FALSE(WSocketIsLoaded());
    EXPECT_EQ(cleanups, 1);
    EXPECT_EQ(WSocketGCount.load(), 0);
}

TEST_F(WinsockLoading, ForceLoadKeepsItUntilCancelled) {
    WSocketForceLoadWinsock();
    EXPECT_TRUE(WSocketIsLoaded());
    { TCustomWSocket socket; }
    EXPECT_TRUE(WSocketIsLoaded());
    WSocketCancelForceLoadWinsock();
    EXPECT_FALSE(WSocketIsLoaded());
    EXPECT_EQ(startups, 1);
    EXPECT_EQ(cleanups, 1);
}

TEST_F(WinsockLoading, InfoWithoutSocketsLeavesItUnloaded) {
    const TWSAData data = WinsockInfo();
    EXPECT_EQ(data.wVersion, 0x0101);
    EXPECT_FALSE(WSocketIsLoaded());
    EXPECT_EQ(startups, 1);
}

TEST_F(WinsockLoading, FailedStartIsReportedAndTriedAgain) {
    bool refuse = true;
    faults.api().WSAStartup = [&](std::uint16_t, TWSAData&) {
        ++startups;
        return refuse ? WSASYSNOTREADY : 0;
    };
    TCustomWSocket socket;
    socket.SetAddr("127.0.0.1");
    socket.SetPort("0");
    // The first call is the protocol look-up inside Listen.
    EXPECT_EQ(test::raisedMessage([&] { socket.Listen(); }),
              "listen: wsock32.dll: WSAStartup error #10091");
    refuse = false;
    socket.Listen();
    EXPECT_EQ(socket.State(), wsListening);
    EXPECT_EQ(startups, 2);
}

}  // namespace
}  // namespace vantorell::transport
