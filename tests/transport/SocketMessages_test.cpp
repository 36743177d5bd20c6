// The socket's own messages: background exceptions, delayed close, release, pausing.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "tests/support/SocketPair.h"
#include "tests/support/SocketRecorder.h"
#include "transport/WSocket/CustomWSocket.h"
#include "transport/WSocket/WinsockApi.h"

namespace vantorell::transport {
namespace {

using test::SocketRecorder;
using test::waitUntil;

using test::ConnectedSockets;

TEST_F(ConnectedSockets, BackgroundExceptionReachesTheHandlerAndAbortsByDefault) {
    for (const bool canClose : {false, true}) {
        std::string seen;
        client.OnBgException = [&](TObject*, const std::exception& e, bool& close) {
            seen = e.what();
            close = canClose;
        };
        PostMessage(client.Handle(), WM_TRIGGER_EXCEPTION, 0, 0);
        ASSERT_TRUE(waitUntil([&] { return !seen.empty(); }));
        EXPECT_EQ(seen, "Test exception in WSocket");
        EXPECT_EQ(client.State(), canClose ? wsClosed : wsConnected);
    }
}

TEST_F(ConnectedSockets, ExceptionsOfTheDataHandlerEndOnlyTheReceiveLoop) {
    int calls = 0;
    server.OnDataAvailable = [&](TObject*, TWord) {
        ++calls;
        char buffer[8];
        server.Receive(buffer, 1);
        throw std::runtime_error("handler failed");
    };
    client.SendStr("ab");
    ASSERT_TRUE(waitUntil([&] { return calls == 2; }));
    EXPECT_EQ(server.State(), wsConnected);
}

TEST_F(ConnectedSockets, CloseDelayedClosesFromTheQueue) {
    SocketRecorder events(client);
    client.CloseDelayed();
    EXPECT_EQ(client.State(), wsConnected);
    ASSERT_TRUE(events.waitFor("closed 0"));
    EXPECT_EQ(client.State(), wsClosed);
}

TEST_F(ConnectedSockets, PausedSocketHearsNothingUntilResumed) {
    std::string text;
    server.OnDataAvailable = [&](TObject*, TWord) { text += server.ReceiveStr(); };
    server.Pause();
    client.SendStr("held");
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(text, "");
    server.Resume();
    ASSERT_TRUE(waitUntil([&] { return text == "held"; }));
}

TEST(SocketMessages, ReleaseEndsTheObjectFromItsOwnEvent) {
    bool released = false;
    auto* socket = new TCustomWSocket;
    socket->OnDnsLookupDone = [&](TObject* sender, TWord) {
        static_cast<TCustomWSocket*>(sender)->Release();
        released = true;
    };
    socket->DnsLookup("127.0.0.1");
    ASSERT_TRUE(released);
    const int before = WSocketGCount.load();
    ASSERT_TRUE(waitUntil([&] { return WSocketGCount.load() == before - 1; }));
}

TEST(SocketMessages, OnErrorTakesThePlaceOfExceptions) {
    TCustomWSocket socket;
    int errors = 0;
    socket.OnError = [&](TObject*) { ++errors; };
    socket.Connect();  // no port
    socket.Listen();   // no port either
    EXPECT_EQ(errors, 2);
    EXPECT_EQ(socket.State(), wsClosed);
    EXPECT_EQ(socket.LastError(), WSAEINVAL);
}

TEST(SocketMessages, TimeValues) {
    timeval a{0, 0};
    EXPECT_FALSE(TCustomWSocket::TimerIsSet(a));
    a.tv_usec = 5;
    EXPECT_TRUE(TCustomWSocket::TimerIsSet(a));
    const timeval b{0, 5};
    EXPECT_TRUE(TCustomWSocket::TimerCmp(a, b, true));
    EXPECT_FALSE(TCustomWSocket::TimerCmp(a, b, false));
    TCustomWSocket::TimerClear(a);
    EXPECT_FALSE(TCustomWSocket::TimerIsSet(a));
}

}  // namespace
}  // namespace vantorell::transport
