#pragma once
// A connected pair of socket components on 127.0.0.1: a listener that adopts the
// connection it accepts into `server`, and the `client` that connects to it.

#include <gtest/gtest.h>

#include <string>

#include "transport/WSocket/CustomWSocket.h"

namespace vantorell::test {

struct SocketPair {
    SocketPair();  // listens; the client is not yet connected
    void startConnect();
    // Connects and waits until both ends are connected and their first write notices
    // have passed; false at the deadline.
    bool connect();

    transport::TCustomWSocket listener;
    transport::TCustomWSocket server;
    transport::TCustomWSocket client;
    std::string port;
};

// A fixture whose pair is connected before each test.
class ConnectedSockets : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pair.connect()); }

    SocketPair pair;
    transport::TCustomWSocket& server = pair.server;
    transport::TCustomWSocket& client = pair.client;
};

}  // namespace vantorell::test
