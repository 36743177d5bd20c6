// Connecting, listening, accepting and adopting sockets on 127.0.0.1.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

#include "tests/support/LoopbackPeer.h"
#include "tests/support/SocketPair.h"
#include "tests/support/SocketRecorder.h"
#include "tests/support/WinsockFaults.h"
#include "transport/WSocket/CustomWSocket.h"

namespace vantorell::transport {
namespace {

using test::SocketRecorder;
using test::waitUntil;

TEST(SocketConnect, ConnectsAcceptsAndCarriesDataBothWays) {
    test::SocketPair pair;
    SocketRecorder server(pair.server, true);
    SocketRecorder client(pair.client, true);
    pair.startConnect();
    ASSERT_TRUE(client.waitFor("connected 0"));
    ASSERT_TRUE(waitUntil([&] { return pair.server.State() == wsConnected; }));
    EXPECT_EQ(client.states(), (std::vector<std::string>{"7>1", "1>3", "3>4"}));
    EXPECT_EQ(pair.client.GetPeerPort(), pair.port);
    EXPECT_EQ(pair.client.GetPeerAddr(), "127.0.0.1");
    EXPECT_EQ(pair.server.GetXPort(), pair.port);

    EXPECT_EQ(pair.client.SendStr("hello server"), 12);
    EXPECT_EQ(pair.server.SendStr("hello client"), 12);
    ASSERT_TRUE(waitUntil([&] {
        return server.received() == "hello server" && client.received() == "hello client";
    }));
    EXPECT_EQ(pair.server.ReadCount(), 12);
}

TEST(SocketConnect, ClosedPortPassesConnectedOnItsWayToClosed) {
    int port = 0;
    {
        test::LoopbackPeer gone;  // a port that was just free
        port = gone.port();
    }
    TCustomWSocket client;
    SocketRecorder events(client);
    client.SetAddr("127.0.0.1");
    client.SetPort(std::to_string(port));
    client.Connect();
    ASSERT_TRUE(events.waitFor("closed 0"));
    EXPECT_EQ(events.events(),
              (std::vector<std::string>{"state 7>1", "state 1>3", "state 3>4", "connected 10061",
                                        "state 4>7", "closed 0"}));
}

TEST(SocketConnect, PeerClosingIsReportedOnceAndResetsTheSettings) {
    test::LoopbackPeer peer;
    TCustomWSocket client;
    SocketRecorder events(client, true);
    client.SetAddr("127.0.0.1");
    client.SetPort(peer.portText());
    client.Connect();
    ASSERT_TRUE(peer.accept(test::kSocketDeadline));
    ASSERT_TRUE(events.waitFor("connected 0"));
    ASSERT_TRUE(peer.sendAll("last words"));
    peer.closeConnection();
    ASSERT_TRUE(events.waitFor("closed 0"));
    EXPECT_EQ(events.received(), "last words");
    EXPECT_EQ(events.count("closed 0"), 1);
    EXPECT_EQ(client.State(), wsClosed);
    EXPECT_EQ(client.Proto(), "tcp");

    // Addr and Port keep their texts but must be set again.
    EXPECT_EQ(client.Port(), peer.portText());
    EXPECT_EQ(test::raisedMessage([&] { client.Connect(); }), "Connect: No Port Specified");
}

TEST(SocketConnect, HandlerClosingAtThePeersCloseIsReportedOnce) {
    test::LoopbackPeer peer;
    TCustomWSocket client;
    SocketRecorder events(client);
    client.OnDataAvailable = [&](TObject*, TWord) {
        char buffer[64];
        if (client.Receive(buffer, sizeof buffer) == 0) {
            client.Close();  // the end of the data: done with the socket
        }
    };
    client.SetAddr("127.0.0.1");
    client.SetPort(peer.portText());
    client.Connect();
    ASSERT_TRUE(peer.accept(test::kSocketDeadline));
    ASSERT_TRUE(events.waitFor("connected 0"));
    peer.closeConnection();
    ASSERT_TRUE(events.waitFor("closed 0"));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(events.count("closed 0"), 1);
    EXPECT_EQ(client.State(), wsClosed);
}

TEST(SocketConnect, RefusalsBeforeAnythingIsOpened) {
    struct Case {
        const char* addr;
        const char* port;
        const char* message;
    };
    const Case cases[] = {
        {"127.0.0.1", "", "Connect: No Port Specified"},
        {"", "80", "Connect: No IP Address Specified"},
        {"127.0.0.1", "no-such-service-name",
         "connect: WSocketResolvePort: Cannot convert port 'no-such-service-name', Error #11004"},
        {"300.1.1.1", "80",
         "connect: WSocketResolveHost: Cannot convert host address '300.1.1.1', Error #11001"},
    };
    test::ApiOverride faults;
    faults.api().gethostbyname = [](const std::string&) -> std::optional<THostEnt> {
        WinsockApi().WSASetLastError(WSAHOST_NOT_FOUND);
        return std::nullopt;
    };
    for (const auto& c : cases) {
        TCustomWSocket socket;
        socket.SetAddr(c.addr);
        socket.SetPort(c.port);
        EXPECT_EQ(test::raisedMessage([&] { socket.Connect(); }), c.message);
        EXPECT_EQ(socket.State(), wsClosed);
        EXPECT_EQ(socket.HSocket(), INVALID_SOCKET);
    }
}

TEST(SocketConnect, SettingsCannotChangeWhileOpen) {
    test::SocketPair pair;
    for (const auto& set : std::vector<std::function<void()>>{
             [&] { pair.listener.SetAddr("127.0.0.2"); }, [&] { pair.listener.SetPort("1"); },
             [&] { pair.listener.SetProto("udp"); },
             [&] { pair.listener.SetLocalAddr("127.0.0.1"); },
             [&] { pair.listener.SetLocalPort("1"); }}) {
        EXPECT_THROW(set(), ESocketException);
    }
    // The same value again is no change.
    EXPECT_NO_THROW(pair.listener.SetAddr("127.0.0.1"));
    EXPECT_EQ(test::raisedMessage([&] { pair.listener.Connect(); }),
              "Connect: Socket already in use");
}

TEST(SocketConnect, ConnectFailingAtOnceIsReportedWithItsError) {
    test::ApiOverride faults;
    faults.api().connect = [](TSocket, const TSockAddr*, int) {
        WinsockApi().WSASetLastError(WSAEADDRNOTAVAIL);
        return SOCKET_ERROR;
    };
    TCustomWSocket client;
    client.SetAddr("127.0.0.1");
    client.SetPort("9");
    EXPECT_EQ(test::raisedMessage([&] { client.Connect(); }),
              "Error 10049 in function Connect\r\nAddress not available");
    EXPECT_EQ(client.LastError(), WSAEADDRNOTAVAIL);
    client.Close();
    EXPECT_EQ(client.State(), wsClosed);
}

TEST(SocketConnect, ListenOnABusyPortFailsAndLeavesNoSocket) {
    test::LoopbackPeer busy;
    TCustomWSocket listener;
    listener.SetAddr("127.0.0.1");
    listener.SetPort(busy.portText());
    EXPECT_EQ(test::raisedMessage([&] { listener.Listen(); }),
              "Error 10048 in function Bind\r\nAddress already in use");
    EXPECT_EQ(listener.HSocket(), INVALID_SOCKET);
    EXPECT_EQ(listener.State(), wsClosed);
}

TEST(SocketConnect, ListenAcceptAndDupRefusals) {
    TCustomWSocket socket;
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[&] { socket.Listen(); },
         "Error 10022 in function listen: port not assigned\r\nInvalid argument"},
        {[&] {
             socket.SetPort("0");
             socket.Listen();
         },
         "Error 10022 in function listen: address not assigned\r\nInvalid argument"},
        {[&] { socket.Accept(); },
         "Error 10022 in function not a listening socket\r\nInvalid argument"},
        {[&] { socket.Dup(INVALID_SOCKET); }, "Error 10022 in function Dup\r\nInvalid argument"},
    };
    for (const auto& [call, message] : cases) {
        EXPECT_EQ(test::raisedMessage(call), message);
    }
}

TEST(SocketConnect, LocalPortIsTheOneBound) {
    test::LoopbackPeer peer;
    TCustomWSocket client;
    SocketRecorder events(client);
    client.SetAddr("127.0.0.1");
    client.SetPort(peer.portText());
    client.SetLocalAddr("127.0.0.1");
    client.Connect();
    EXPECT_NE(client.LocalPort(), "0");
    ASSERT_TRUE(peer.accept(test::kSocketDeadline));
    ASSERT_TRUE(events.waitFor("connected 0"));
    EXPECT_EQ(client.GetXPort(), client.LocalPort());
}

TEST(SocketConnect, DatagramSocketsConnectAtOnceAndExchange) {
    TCustomWSocket receiver;
    SocketRecorder received(receiver, true);
    receiver.SetProto("udp");
    const std::string port = test::listenOnLoopback(receiver);
    EXPECT_EQ(received.states(), (std::vector<std::string>{"7>2", "2>6", "6>4"}));

    TCustomWSocket sender;
    SocketRecorder sent(sender);
    sender.SetProto("udp");
    sender.SetAddr("127.0.0.1");
    sender.SetPort(port);
    sender.Connect();
    EXPECT_TRUE(sent.has("connected 0"));
    EXPECT_EQ(sender.State(), wsConnected);
    sender.SendStr("datagram");
    ASSERT_TRUE(waitUntil([&] { return received.received() == "datagram"; }));
}

}  // namespace
}  // namespace vantorell::transport
