// Sending through the queue, receiving, and the faults of both.

#include <gtest/gtest.h>
#include <poll.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>

#include "tests/support/LoopbackPeer.h"
#include "tests/support/SocketPair.h"
#include "tests/support/SocketRecorder.h"
#include "tests/support/WinsockFaults.h"
#include "transport/WSocket/AsyncSelect.h"
#include "transport/WSocket/CustomWSocket.h"

namespace vantorell::transport {
namespace {

using test::SocketRecorder;
using test::waitUntil;

std::string Pattern(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
    }
    return data;
}

using test::ConnectedSockets;

TEST(SocketSend, SendBeforeTheConnectionIsUpFails) {
    TCustomWSocket socket;
    EXPECT_EQ(test::raisedMessage([&] { socket.SendStr("early"); }),
              "Error 10057 in function Send\r\nSocket is not connected");
    int errors = 0;
    socket.OnError = [&](TObject*) { ++errors; };
    EXPECT_EQ(socket.Send("x", 1), -1);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(socket.LastError(), WSAENOTCONN);
}

TEST_F(ConnectedSockets, SendOfNothingSignalsOnlyOnceDataWasQueued) {
    SocketRecorder events(client);
    EXPECT_EQ(client.Send("", 0), 0);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(events.count("sent 0"), 0);

    EXPECT_EQ(client.SendStr("abc"), 3);
    ASSERT_TRUE(events.waitFor("sent 0"));
    EXPECT_EQ(client.Send("", 0), 0);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(events.count("sent 0"), 2);
    EXPECT_EQ(client.SendStr(""), 0);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(events.count("sent 0"), 2);
}

TEST_F(ConnectedSockets, ShortAndRefusedSendsLoseNothing) {
    test::ApiOverride faults;
    int calls = 0;
    const auto send = faults.original().send;
    faults.api().send = [&](TSocket s, const void* buf, int len, int flags) {
        switch (++calls % 3) {
            case 1: {  // short: the system took part of it
                const int n = send(s, buf, std::max(1, len / 3), flags);
                SelectNoteSendBlocked(s);
                return n;
            }
            case 2:  // would block
                SelectNoteSendBlocked(s);
                WinsockApi().WSASetLastError(WSAEWOULDBLOCK);
                return SOCKET_ERROR;
            default:
                return send(s, buf, len, flags);
        }
    };
    SocketRecorder received(server, true);
    SocketRecorder sent(client);
    int bytesSent = 0;
    client.OnSendData = [&](TObject*, int n) { bytesSent += n; };
    const std::string data = Pattern(300000);
    EXPECT_EQ(client.Send(data.data(), static_cast<int>(data.size())), 300000);
    EXPECT_FALSE(client.AllSent());
    ASSERT_TRUE(waitUntil([&] { return received.received().size() >= data.size(); }));
    EXPECT_TRUE(received.received() == data);
    ASSERT_TRUE(sent.waitFor("sent 0"));
    EXPECT_TRUE(client.AllSent());
    EXPECT_EQ(bytesSent, 300000);
}

// A send the system takes whole goes straight from the caller's bytes; one that follows
// bytes still waiting must wait behind them.
TEST_F(ConnectedSockets, SendsBehindWaitingBytesKeepTheirOrder) {
    test::ApiOverride faults;
    int calls = 0;
    const auto send = faults.original().send;
    faults.api().send = [&](TSocket s, const void* buf, int len, int flags) {
        if (++calls == 2) {  // the second send is taken in part
            const int n = send(s, buf, len / 2, flags);
            SelectNoteSendBlocked(s);
            return n;
        }
        return send(s, buf, len, flags);
    };
    SocketRecorder received(server, true);
    const std::string first = Pattern(5000);
    const std::string second = Pattern(7000).substr(1000);
    const std::string third = "the last words";
    EXPECT_EQ(client.Send(first.data(), static_cast<int>(first.size())), 5000);
    EXPECT_EQ(client.Send(second.data(), static_cast<int>(second.size())), 6000);
    EXPECT_EQ(client.SendStr(third), static_cast<int>(third.size()));
    const std::string all = first + second + third;
    ASSERT_TRUE(waitUntil([&] { return received.received().size() >= all.size(); }));
    EXPECT_TRUE(received.received() == all);
}

TEST_F(ConnectedSockets, ResetWhileSendingClosesAndReportsOnce) {
    test::ApiOverride faults;
    faults.api().send = [](TSocket, const void*, int, int) {
        WinsockApi().WSASetLastError(WSAECONNRESET);
        return SOCKET_ERROR;
    };
    SocketRecorder events(client);
    EXPECT_EQ(client.SendStr("doomed"), 6);
    EXPECT_EQ(client.State(), wsClosed);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(events.events(), (std::vector<std::string>{"state 4>7", "closed 10054"}));
}

TEST_F(ConnectedSockets, ResetWhileSendingFirstDeliversWhatHadArrived) {
    // The peer's last words are in before the send meets the reset; the loop has not
    // run, so nothing has read them yet.
    ASSERT_EQ(server.SendStr("answer"), 6);
    pollfd arrived{client.HSocket(), POLLIN, 0};
    ASSERT_EQ(::poll(&arrived, 1, static_cast<int>(test::kSocketDeadline.count())), 1);
    test::ApiOverride faults;
    faults.api().send = [](TSocket, const void*, int, int) {
        WinsockApi().WSASetLastError(WSAECONNRESET);
        return SOCKET_ERROR;
    };
    SocketRecorder events(client, true);
    std::string readBeforeTheClose;
    client.OnSessionClosed = [&](TObject*, TWord Error) {
        readBeforeTheClose += events.received() + " " + std::to_string(Error);
    };
    EXPECT_EQ(client.SendStr("doomed"), 6);
    EXPECT_EQ(client.State(), wsClosed);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(readBeforeTheClose, "answer 10054");  // once, and after the answer
}

TEST_F(ConnectedSockets, ResetWhileTheQueueDrainsReportsNoDataSent) {
    test::ApiOverride faults;
    int calls = 0;
    faults.api().send = [&](TSocket s, const void*, int, int) {
        if (++calls == 1) {
            SelectNoteSendBlocked(s);
            WinsockApi().WSASetLastError(WSAEWOULDBLOCK);
        } else {
            WinsockApi().WSASetLastError(WSAECONNRESET);
        }
        return SOCKET_ERROR;
    };
    SocketRecorder events(client);
    EXPECT_EQ(client.SendStr("queued"), 6);
    ASSERT_TRUE(events.waitFor("closed 10054"));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(events.events(), (std::vector<std::string>{"state 4>7", "closed 10054"}));
}

TEST_F(ConnectedSockets, OtherSendErrorsAreRaised) {
    test::ApiOverride faults;
    faults.api().send = [](TSocket, const void*, int, int) {
        WinsockApi().WSASetLastError(WSAENOBUFS);
        return SOCKET_ERROR;
    };
    EXPECT_EQ(test::raisedMessage([&] { client.SendStr("x"); }),
              "Error 10055 in function TryToSend failed\r\nNo buffer space available");
    EXPECT_EQ(client.State(), wsConnected);
}

TEST_F(ConnectedSockets, WithoutAHandlerInputIsDrainedAndTheCloseStillArrives) {
    SocketRecorder events(server);
    const std::string data = Pattern(50000);
    client.Send(data.data(), static_cast<int>(data.size()));
    ASSERT_TRUE(waitUntil([&] { return client.AllSent(); }));
    client.Close();
    // The close notice comes only once everything before it has been read.
    ASSERT_TRUE(events.waitFor("closed 0"));
    EXPECT_EQ(server.State(), wsClosed);
}

TEST_F(ConnectedSockets, ReceiveLoopDrainsOneNoticeUnlessSwitchedOff) {
    for (const bool noLoop : {false, true}) {
        std::vector<std::string> log;
        server.SetComponentOptions(noLoop ? TWSocketOptions{wsoNoReceiveLoop} : TWSocketOptions{});
        server.OnDataAvailable = [&](TObject*, TWord) {
            char byte = 0;
            if (server.Receive(&byte, 1) == 1) {
                if (log.empty()) {
                    // Runs once this notice has been handled and control is back in the loop.
                    QTimer::singleShot(0, [&] { log.push_back("loop"); });
                }
                log.emplace_back(1, byte);
            }
        };
        client.SendStr("abc");
        ASSERT_TRUE(waitUntil([&] { return log.size() == 4; }));
        const std::vector<std::string> looped{"a", "b", "c", "loop"};
        const std::vector<std::string> oneByOne{"a", "loop", "b", "c"};
        EXPECT_EQ(log, noLoop ? oneByOne : looped) << noLoop;
    }
}

TEST_F(ConnectedSockets, ReceiveErrorsAreKeptInLastError) {
    test::ApiOverride faults;
    faults.api().recv = [](TSocket, void*, int, int) {
        WinsockApi().WSASetLastError(WSAECONNABORTED);
        return SOCKET_ERROR;
    };
    int calls = 0;
    int result = 0;
    server.OnDataAvailable = [&](TObject*, TWord) {
        ++calls;
        char buffer[16];
        result = server.Receive(buffer, sizeof buffer);
    };
    client.SendStr("abc");
    ASSERT_TRUE(waitUntil([&] { return calls > 0; }));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(result, -1);
    EXPECT_EQ(server.LastError(), WSAECONNABORTED);
    EXPECT_EQ(server.ReadCount(), 0);
}

TEST_F(ConnectedSockets, ReceiveStrTakesWhatIsWaiting) {
    std::string text;
    server.OnDataAvailable = [&](TObject*, TWord) { text += server.ReceiveStr(); };
    client.SendStr("line one\r\nline two\r\n");
    ASSERT_TRUE(waitUntil([&] { return text.size() == 20; }));
    EXPECT_EQ(text, "line one\r\nline two\r\n");
    EXPECT_EQ(server.ReadCount(), 20);
}

TEST_F(ConnectedSockets, FlushWaitsUntilTheQueueHasGone) {
    test::ApiOverride faults;
    bool refused = false;
    const auto send = faults.original().send;
    faults.api().send = [&](TSocket s, const void* buf, int len, int flags) {
        if (!refused) {
            refused = true;
            SelectNoteSendBlocked(s);
            WinsockApi().WSASetLastError(WSAEWOULDBLOCK);
            return SOCKET_ERROR;
        }
        return send(s, buf, len, flags);
    };
    SocketRecorder received(server, true);
    client.SendStr("queued");
    EXPECT_FALSE(client.AllSent());
    client.Flush();
    EXPECT_TRUE(client.AllSent());
    ASSERT_TRUE(waitUntil([&] { return received.received() == "queued"; }));
}

TEST(SocketSend, CloseHandsOverEverythingTheSystemHolds) {
    // The peer reads only after the close, through a small window, so most of the data
    // is still in the sender's system buffers when the socket is closed.
    test::LoopbackPeer peer(4096);
    TCustomWSocket client;
    SocketRecorder events(client);
    client.SetAddr("127.0.0.1");
    client.SetPort(peer.portText());
    client.Connect();
    ASSERT_TRUE(peer.accept(test::kSocketDeadline));
    ASSERT_TRUE(events.waitFor("connected 0"));
    int big = 4 << 20;
    WinsockApi().setsockopt(client.HSocket(), WSOCK_SOL_SOCKET, WSOCK_SO_SNDBUF, &big, sizeof big);
    const std::string data = Pattern(400000);
    client.Send(data.data(), static_cast<int>(data.size()));
    ASSERT_TRUE(client.AllSent());
    client.Close();
    std::string got;
    int error = 0;
    EXPECT_TRUE(peer.readToEnd(got, test::kSocketDeadline, error)) << error;
    EXPECT_EQ(got.size(), data.size());
    EXPECT_TRUE(got == data);
}

}  // namespace
}  // namespace vantorell::transport
