#pragma once
#include "transport/FtpCli/CustomFtpCli.h"

// A scripted FTP server on 127.0.0.1 for the client's unit tests: the test plays the
// server's part line by line, for the cases a real server cannot produce (odd multi-line
// replies, replies in pieces, a server that stalls or drops the connection).

#include <chrono>
#include <memory>
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

    // The data connection. Active: connects to the port that a "PORT h1,..,p1,p2" command
    // names. Passive: listens and gives the 227 reply that names the port; dataAccept()
    // takes the client's connection.
    bool dataConnect(const std::string& portCommand);
    std::string passiveReply();
    bool dataAccept();
    bool dataSend(const std::string& bytes);
    bool dataReadToEnd(std::string& bytes);
    void dataClose();

private:
    LoopbackPeer peer_;
    std::string got_;
    std::unique_ptr<LoopbackPeer> data_;
};

// The data port that a "PORT 127,0,0,1,p1,p2" command names; -1 for any other text.
int portCommandPort(const std::string& portCommand);
// Takes the first command line out of what the client sent (without its line end); false
// while no whole line has come.
bool takeCommandLine(std::string& received, std::string& line);

// Points a client at a server on 127.0.0.1 with the test account (kFtpUser, kFtpPassword).
void aimAt(transport::TCustomFtpCli& client, const std::string& port);

}  // namespace vantorell::test
