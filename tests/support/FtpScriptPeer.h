#pragma once
// A scripted FTP server on 127.0.0.1 for the client's unit tests: the test plays the
// server's part line by line, for the cases a real server cannot produce (odd multi-line
// replies, replies in pieces, a server that stalls or drops the connection).

#include <chrono>
#include <string>

#include "tests/support/LoopbackPeer.h"
#include "tests/support/SocketRecorder.h"

namespace vantorell::test {

class FtpScriptPeer {
public:
    int port() const { return peer_.port(); }
    std::string portText() const { return peer_.portText(); }

    // Accepts the client's control connection and sends the banner (none when empty).
    bool accept(const std::string& banner = "220 ready\r\n");
    bool send(const std::string& bytes) { return peer_.sendAll(bytes); }
    // Lets events run until the client's next command line has come; it comes without its
    // line end. False at the deadline.
    bool command(std::string& line, std::chrono::milliseconds deadline = kSocketDeadline);
    // Waits for the next command, which must be Expected, then sends Reply.
    bool answer(const std::string& expected, const std::string& reply);
    // What the client sent that no command() took yet, after letting events run briefly.
    std::string unread();
    void close(bool reset = false) { peer_.closeConnection(reset); }

private:
    LoopbackPeer peer_;
    std::string got_;
};

}  // namespace vantorell::test
