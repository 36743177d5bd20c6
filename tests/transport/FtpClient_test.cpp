// Blocking FTP requests against scripted servers on 127.0.0.1: the no-progress time-out,
// misuse that never raises, and failures of the socket layer.

#include "transport/FtpCli/FtpClient.h"

#include <gtest/gtest.h>

#include <thread>

#include "tests/support/CpuTime.h"
#include "tests/support/FtpScriptPeer.h"
#include "tests/support/FtpThreadPeer.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WinsockFaults.h"

namespace vantorell::transport {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Logs in, then serves one RETR: Feed plays the data connection after the 150.
void LoginThenRetr(test::FtpThreadPeer& s, const std::function<void(test::FtpThreadPeer&)>& Feed) {
    if (!s.accept() || !s.answer("USER analyst", "331 pass\r\n") ||
        !s.answer("PASS s3cret", "230 in\r\n")) {
        return;
    }
    std::string port;
    if (!s.command(port) || !s.dataConnect(port) || !s.send("200 ok\r\n") ||
        !s.answer("RETR cube.mdc", "150 opening\r\n")) {
        s.fail("no transfer started");
        return;
    }
    Feed(s);
}

class FtpBlocking : public ::testing::Test {
protected:
    void SetUp() override {
        test::aimAt(client, server.portText());
        client.SetHostFileName("cube.mdc");
        client.SetLocalFileName(local.file("cube.mdc"));
        local.write("cube.mdc", "old");
    }

    test::FtpThreadPeer server;
    test::TempFolder local;
    TFtpClient client;
};

TEST_F(FtpBlocking, ADownloadThatStallsEndsAtTheTimeOut) {
    server.run([](test::FtpThreadPeer& s) {
        LoginThenRetr(s, [](test::FtpThreadPeer& s) {
            s.dataSend(std::string(1000, 'c'));
            // The server says nothing more; the client gives up and closes.
            if (!s.waitForClose()) {
                s.fail("the client did not give up");
            }
        });
    });
    ASSERT_TRUE(client.Connect()) << client.ErrorMessage();
    client.SetTimeout(1);
    const double cpuBefore = test::processCpuSeconds();
    const auto start = Clock::now();
    EXPECT_FALSE(client.Get());
    const std::chrono::duration<double> waited = Clock::now() - start;
    EXPECT_GE(waited, 1s);
    EXPECT_LT(waited, 3s);
    // The wait sleeps in the event loop: it does not spin.
    EXPECT_LT(test::processCpuSeconds() - cpuBefore, 0.3 * waited.count());
    EXPECT_EQ(client.ErrorMessage(), "426 Timeout");
    EXPECT_EQ(client.StatusCode(), 426);
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(client.State(), ftpReady);
    EXPECT_EQ(local.read("cube.mdc"), "old");
    EXPECT_EQ(server.join(), "");
}

TEST_F(FtpBlocking, ADownloadThatKeepsMovingOutlastsTheTimeOut) {
    server.run([](test::FtpThreadPeer& s) {
        LoginThenRetr(s, [](test::FtpThreadPeer& s) {
            // A slow server: a piece every quarter second, for longer than the time-out.
            for (int piece = 0; piece < 8; ++piece) {
                s.dataSend(std::string(1000, static_cast<char>('a' + piece)));
                std::this_thread::sleep_for(250ms);
            }
            s.dataClose();
            s.send("226 done\r\n");
        });
    });
    ASSERT_TRUE(client.Connect());
    client.SetTimeout(1);
    const auto start = Clock::now();
    EXPECT_TRUE(client.Get()) << client.ErrorMessage();
    EXPECT_GE(Clock::now() - start, 1500ms);
    EXPECT_EQ(local.read("cube.mdc").size(), 8000u);
    EXPECT_EQ(server.join(), "");
}

TEST_F(FtpBlocking, AServerThatNeverAnswersEndsAtTheTimeOut) {
    server.run([](test::FtpThreadPeer& s) {
        if (s.accept() && s.answer("USER analyst", "230 in\r\n")) {
            std::string line;
            s.command(line);  // PWD, never answered
            s.waitForClose();
        }
    });
    ASSERT_TRUE(client.Connect());
    client.SetTimeout(1);
    EXPECT_FALSE(client.Pwd());
    EXPECT_EQ(client.ErrorMessage(), "426 Timeout");
    EXPECT_FALSE(client.Connected());
    EXPECT_EQ(server.join(), "");
}

TEST(FtpBlockingMisuse, MisuseReturnsFalseAndNeverRaises) {
    test::FtpScriptPeer server;
    TFtpClient client;
    EXPECT_EQ(client.Timeout(), 15);
    test::aimAt(client, server.portText());
    EXPECT_FALSE(client.Pwd());  // not connected
    EXPECT_FALSE(client.Get());
    EXPECT_EQ(client.ErrorMessage(), "");
    client.SetHostName("");
    EXPECT_FALSE(client.Open());
    EXPECT_EQ(client.StatusCode(), 500);
    EXPECT_EQ(client.State(), ftpReady);
    std::string reported;
    client.OnError = [&](TObject*, std::string& msg) { reported = msg; };
    EXPECT_FALSE(client.Cwd());  // no folder: nothing sent
    EXPECT_EQ(reported, "HostDirName emtpy");
}

TEST(FtpBlockingMisuse, AHostThatDoesNotResolveFailsWithTheSocketError) {
    test::ApiOverride faults;
    test::failHostLookups(faults);
    TFtpClient client;
    test::aimAt(client, "21");
    client.SetHostName("ftp.example.invalid");
    EXPECT_FALSE(client.Connect());
    EXPECT_EQ(client.StatusCode(), 500);
    EXPECT_EQ(client.ErrorMessage().substr(0, 4), "500 ");
    EXPECT_NE(client.ErrorMessage().find("(Winsock error #11001)"), std::string::npos);
}

TEST(FtpBlockingMisuse, TypeBinarySetsBinaryEvenWhenTheServerRefuses) {
    test::FtpThreadPeer server;
    server.run([](test::FtpThreadPeer& s) {
        if (s.accept() && s.answer("USER analyst", "230 in\r\n")) {
            s.answer("TYPE I", "504 no binary here\r\n");
        }
    });
    TFtpClient client;
    test::aimAt(client, server.portText());
    ASSERT_TRUE(client.Connect());
    client.SetBinary(false);
    EXPECT_FALSE(client.TypeBinary());
    EXPECT_TRUE(client.Binary());
    EXPECT_EQ(client.ErrorMessage(), "504 no binary here");
    EXPECT_EQ(client.StatusCode(), 504);
    EXPECT_EQ(server.join(), "");
}

}  // namespace
}  // namespace vantorell::transport
