// Blocking waits and ReadLine over a socket fed by a peer on 127.0.0.1.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <chrono>

#include "tests/support/LoopbackPeer.h"
#include "tests/support/SocketRecorder.h"
#include "transport/WSocket/WSocket.h"

namespace vantorell::transport {
namespace {

using namespace std::chrono_literals;
using test::kSocketDeadline;
using test::waitUntil;

class ReadLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        client.SetAddr("127.0.0.1");
        client.SetPort(peer.portText());
        client.Connect();
        ASSERT_TRUE(peer.accept(kSocketDeadline));
        ASSERT_TRUE(waitUntil([&] { return client.State() == wsConnected; }));
    }

    test::LoopbackPeer peer;
    TWSocket client;
};

TEST_F(ReadLineTest, OneLinePerCallTheRestStaysForTheNext) {
    ASSERT_TRUE(peer.sendAll("220 ready\r\n230 in\r\n"));
    std::string line;
    client.ReadLine(5, line);
    EXPECT_EQ(line, "220 ready\r\n");
    client.ReadLine(5, line);
    EXPECT_EQ(line, "230 in\r\n");
    EXPECT_EQ(client.Timeout(), 5000);
}

TEST_F(ReadLineTest, TimeOutGivesThePartialLine) {
    ASSERT_TRUE(peer.sendAll("no end"));
    std::string line = "old";
    const auto start = std::chrono::steady_clock::now();
    client.ReadLine(-500, line);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(line, "no end");
    EXPECT_GE(waited, 500ms);
    EXPECT_LT(waited, 3000ms);
    EXPECT_EQ(client.Timeout(), 500);
}

TEST_F(ReadLineTest, CallersHandlerAndModeComeBackAndGetTheRest) {
    std::string plain;
    client.OnDataAvailable = [&](TObject*, TWord) { plain += client.ReceiveStr(); };
    ASSERT_TRUE(peer.sendAll("line\r\nafter"));
    std::string line;
    client.ReadLine(5, line);
    EXPECT_EQ(line, "line\r\n");
    EXPECT_FALSE(client.LineMode());
    ASSERT_TRUE(waitUntil([&] { return plain == "after"; }));
}

TEST_F(ReadLineTest, CloseEndsTheWaitWithTheLastLine) {
    ASSERT_TRUE(peer.sendAll("bye"));
    peer.closeConnection();
    std::string line;
    client.ReadLine(5, line);
    EXPECT_EQ(line, "bye");
    EXPECT_EQ(client.State(), wsClosed);
    EXPECT_EQ(test::raisedMessage([&] { client.ReadLine(5, line); }),
              "ReadLine failed: not connected");
    EXPECT_EQ(line, "");
}

TEST(SyncWait, EndsWithItsFlagOrAQuitRequest) {
    TWSocket socket;
    bool done = false;
    int calls = 0;
    EXPECT_EQ(socket.Synchronize(
                  [&] {
                      ++calls;
                      QTimer::singleShot(10, [&] { done = true; });
                  },
                  done),
              0);
    EXPECT_EQ(calls, 1);

    // Without a time-out set, the wait still has one; a quit request of the application
    // ends it at once.
    int result = -1;
    std::chrono::steady_clock::duration waited{};
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(20, [] { QCoreApplication::quit(); });
        const auto start = std::chrono::steady_clock::now();
        result = socket.Synchronize(nullptr, done);
        waited = std::chrono::steady_clock::now() - start;
    });
    QCoreApplication::exec();
    EXPECT_EQ(result, WSOCKET_WAIT_TIMEOUT);
    EXPECT_FALSE(done);
    EXPECT_LT(waited, 10s);
}

}  // namespace
}  // namespace vantorell::transport
