// The FTP client against servers that lie: a passive reply naming another host, data
// connections from another address, port texts that would lead to another port, and a
// SOCKS server that refuses. Whatever they say, data goes only to and from the server the
// control connection reached, and a refusal says why.

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "tests/servers/LyingFtpServer.h"
#include "tests/support/FtpScriptPeer.h"
#include "tests/support/FtpThreadPeer.h"
#include "tests/support/TempFolder.h"
#include "transport/FtpCli/FtpClient.h"

namespace vantorell::transport {
namespace {

using test::FtpDataLie;

struct LieCase {
    const char* name;
    FtpDataLie lie;
    bool upload;
    bool succeeds;  // else the client waits for the real data connection until its time-out
};

void PrintTo(const LieCase& c, std::ostream* os) {
    *os << c.name;
}

class FtpLyingServer : public ::testing::TestWithParam<LieCase> {};

TEST_P(FtpLyingServer, DataGoesOnlyToAndFromTheServerOfTheControlConnection) {
    const LieCase& c = GetParam();
    const std::string file = "the server's own bytes";
    test::FtpDataLieOutcome outcome;
    test::FtpThreadPeer server;
    server.run(test::lyingFtpServer(c.lie, c.upload, file, outcome));
    test::TempFolder local;
    local.write("data.bin", c.upload ? file : "old");
    TFtpClient client;
    test::aimAt(client, server.portText());
    client.SetPassive(c.lie == FtpDataLie::PassiveOtherHost);
    client.SetHostFileName("data.bin");
    client.SetLocalFileName(local.file("data.bin"));
    client.SetTimeout(c.succeeds ? 15 : 1);
    std::vector<std::string> shown;
    client.OnDisplay = [&](TObject*, std::string& msg) { shown.push_back(msg); };

    const bool done = c.upload ? client.Transmit() : client.Receive();
    EXPECT_EQ(server.join(), "");
    EXPECT_EQ(done, c.succeeds) << client.ErrorMessage();
    EXPECT_EQ(outcome.thirdPartyConnections, 0);
    EXPECT_EQ(outcome.intruderGot, "");
    if (c.lie == FtpDataLie::ActiveIntruder || c.lie == FtpDataLie::ActiveIntruderOnly) {
        EXPECT_TRUE(outcome.intruderShutOut);
        EXPECT_NE(std::find(shown.begin(), shown.end(), "! Data connection from 127.0.0.2 refused"),
                  shown.end());
    }
    if (!c.succeeds) {
        EXPECT_EQ(client.ErrorMessage(), "426 Timeout");
        EXPECT_EQ(local.read("data.bin"), "old");
    } else if (c.upload) {
        EXPECT_EQ(outcome.uploaded, file);
    } else {
        EXPECT_EQ(local.read("data.bin"), file);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lies, FtpLyingServer,
    ::testing::Values(
        LieCase{"a passive reply naming another host", FtpDataLie::PassiveOtherHost, false, true},
        LieCase{"an upload after a passive reply naming another host", FtpDataLie::PassiveOtherHost,
                true, true},
        LieCase{"another address connecting first", FtpDataLie::ActiveIntruder, false, true},
        LieCase{"another address connecting first to an upload", FtpDataLie::ActiveIntruder, true,
                true},
        LieCase{"only another address connecting", FtpDataLie::ActiveIntruderOnly, false, false}));

TEST(FtpLyingPorts, APortTextThatNamesNoPortIsRefusedWithTheLookupError) {
    // Where a port text cut to 16 bits or read up to its junk would lead.
    test::LoopbackPeer listener;
    const long long port = listener.port();
    for (const std::string& text :
         {std::to_string(port + 65536), std::to_string(port) + "x",
          std::to_string(port + 4294967296LL), std::string("0"), std::to_string(port) + ".5"}) {
        TFtpClient client;
        test::aimAt(client, text);
        EXPECT_FALSE(client.Connect()) << text;
        EXPECT_EQ(client.ErrorMessage(),
                  "500 ESocketException: connect: WSocketResolvePort: Cannot convert port '" +
                      text + "', Error #11004");
        EXPECT_FALSE(listener.acceptReady()) << text;
    }
}

TEST(FtpLyingSocks, ASocksRefusalIsReportedInTheServersWords) {
    // A SOCKS 5 server that accepts none of the methods offered.
    test::LoopbackPeer socks;
    std::string offered;
    std::thread server([&] {
        if (socks.accept(test::kSocketDeadline) && socks.read(offered, 3, test::kSocketDeadline)) {
            socks.sendAll(std::string{'\x05', '\xFF'});
        }
    });
    TFtpClient client;
    test::aimAt(client, "21");
    client.SetConnectionType(ftpSocks5);
    client.SetSocksServer("127.0.0.1");
    client.SetSocksPort(socks.portText());
    EXPECT_FALSE(client.Connect());
    server.join();
    EXPECT_EQ(offered, (std::string{'\x05', '\x01', '\x00'}));  // no user name: no login offered
    EXPECT_EQ(client.ErrorMessage(),
              "500 authentification method not acceptable (SOCKS error #20003)");
}

}  // namespace
}  // namespace vantorell::transport
