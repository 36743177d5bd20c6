#include "tests/support/SocketPair.h"

#include <QCoreApplication>

#include "tests/support/SocketRecorder.h"

namespace vantorell::test {

using transport::TObject;
using transport::TWord;
using transport::wsConnected;

SocketPair::SocketPair() {
    listener.OnSessionAvailable = [this](TObject*, TWord) { server.Dup(listener.Accept()); };
    port = listenOnLoopback(listener);
}

void SocketPair::startConnect() {
    client.SetAddr("127.0.0.1");
    client.SetPort(port);
    client.Connect();
}

bool SocketPair::connect() {
    startConnect();
    const bool connected =
        waitUntil([&] { return client.State() == wsConnected && server.State() == wsConnected; });
    QCoreApplication::sendPostedEvents();
    return connected;
}

}  // namespace vantorell::test
