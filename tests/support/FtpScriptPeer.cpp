#include "tests/support/FtpScriptPeer.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/EventLoop.h"
#include "tests/servers/FtpServer.h"

namespace vantorell::test {

bool FtpScriptPeer::accept(const std::string& banner) {
    // The client connects without blocking: the system completes the connection while
    // the test waits here.
    if (!peer_.accept(kSocketDeadline)) {
        return false;
    }
    return banner.empty() || peer_.sendAll(banner);
}

bool FtpScriptPeer::command(std::string& line, std::chrono::milliseconds deadline) {
    const bool complete = waitUntil(
        [&] {
            peer_.readAvailable(got_);
            return got_.find("\r\n") != std::string::npos;
        },
        deadline);
    return complete && takeCommandLine(got_, line);
}

bool takeCommandLine(std::string& received, std::string& line) {
    const std::size_t end = received.find("\r\n");
    if (end == std::string::npos) {
        return false;
    }
    line = received.substr(0, end);
    received.erase(0, end + 2);
    return true;
}

bool FtpScriptPeer::answer(const std::string& expected, const std::string& reply) {
    std::string line;
    if (!command(line)) {
        ADD_FAILURE() << "no command came; expected " << expected;
        return false;
    }
    if (line != expected) {
        ADD_FAILURE() << "command " << line << "; expected " << expected;
        return false;
    }
    return send(reply);
}

std::string FtpScriptPeer::unread() {
    // Whatever the client was to send has left it once its events ran.
    waitForMessages([] { return false; }, std::chrono::milliseconds(50));
    peer_.readAvailable(got_);
    return got_;
}

int portCommandPort(const std::string& portCommand) {
    int h[6] = {0};
    if (std::sscanf(portCommand.c_str(), "PORT %d,%d,%d,%d,%d,%d", &h[0], &h[1], &h[2], &h[3],
                    &h[4], &h[5]) != 6 ||
        h[0] != 127 || h[1] != 0 || h[2] != 0 || h[3] != 1) {
        return -1;
    }
    return h[4] * 256 + h[5];
}

bool FtpScriptPeer::dataConnect(const std::string& portCommand) {
    const int port = portCommandPort(portCommand);
    if (port < 0) {
        ADD_FAILURE() << "not a PORT to 127.0.0.1: " << portCommand;
        return false;
    }
    data_ = std::make_unique<LoopbackPeer>();
    return data_->connect(port);
}

std::string FtpScriptPeer::passiveReply() {
    data_ = std::make_unique<LoopbackPeer>();
    const int port = data_->port();
    return "227 Entering Passive Mode (127,0,0,1," + std::to_string(port / 256) + "," +
           std::to_string(port % 256) + ").\r\n";
}

bool FtpScriptPeer::dataAccept() {
    // The client connects without blocking, so the events run while the test waits.
    return data_ && waitUntil([&] { return data_->acceptReady(); }) &&
           data_->accept(kSocketDeadline);
}

bool FtpScriptPeer::dataSend(const std::string& bytes) {
    return data_ && data_->sendAll(bytes);
}

bool FtpScriptPeer::dataReadToEnd(std::string& bytes) {
    return data_ && waitUntil([&] { return !data_->readAvailable(bytes); });
}

void FtpScriptPeer::dataClose() {
    if (data_) {
        data_->closeConnection();
    }
}

void aimAt(transport::TCustomFtpCli& client, const std::string& port) {
    client.SetHostName("127.0.0.1");
    client.SetPort(port);
    client.SetUserName(kFtpUser);
    client.SetPassWord(kFtpPassword);
}

}  // namespace vantorell::test
