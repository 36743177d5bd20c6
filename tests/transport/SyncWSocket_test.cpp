// Blocking waits and ReadLine over a socket fed by a peer on 127.0.0.1.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <functional>

#include "tests/support/CpuTime.h"
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

TEST_F(ReadLineTest, WithoutALineEndTheFirstBytesEndTheWait) {
    client.SetLineEnd("");
    ASSERT_TRUE(peer.sendAll("abc"));
    std::string line;
    const auto start = std::chrono::steady_clock::now();
    client.ReadLine(5, line);
    EXPECT_EQ(line, "abc");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
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

// A line, a time-out and a close each end the wait; none of them spins in the meantime.
TEST_F(ReadLineTest, WaitsEndWithoutSpinning) {
    struct Case {
        const char* name;
        std::function<void()> peerAction;  // run 300 ms into the wait
        int timeout;
        std::string line;
    };
    const Case cases[] = {
        {"line", [&] { peer.sendAll("late\r\n"); }, 5, "late\r\n"},
        {"time-out", nullptr, -300, ""},
        {"close", [&] { peer.closeConnection(); }, 5, ""},
    };
    double cpu = 0;
    std::chrono::duration<double> wall{};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.peerAction) {
            QTimer::singleShot(300, c.peerAction);
        }
        const double cpuBefore = test::processCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        std::string line = "old";
        client.ReadLine(c.timeout, line);
        const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
        cpu += test::processCpuSeconds() - cpuBefore;
        wall += waited;
        EXPECT_EQ(line, c.line);
        EXPECT_GE(waited, 290ms);
        EXPECT_LT(waited, 4s);
    }
    EXPECT_EQ(client.State(), wsClosed);
    EXPECT_LT(cpu / wall.count(), 0.1) << cpu << " s of CPU in " << wall.count() << " s";
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
