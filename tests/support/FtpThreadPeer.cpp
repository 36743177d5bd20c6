#include "tests/support/FtpThreadPeer.h"

#include "tests/support/FtpScriptPeer.h"

namespace vantorell::test {

FtpThreadPeer::~FtpThreadPeer() {
    join();
}

void FtpThreadPeer::run(Script script) {
    thread_ = std::thread([this, script = std::move(script)] { script(*this); });
}

std::string FtpThreadPeer::join() {
    if (thread_.joinable()) {
        thread_.join();
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    return failures_;
}

void FtpThreadPeer::fail(const std::string& why) {
    const std::lock_guard<std::mutex> lock(mutex_);
    failures_ += why + "\n";
}

bool FtpThreadPeer::accept(const std::string& banner) {
    if (!control_.accept(kSocketDeadline) || !control_.sendAll(banner)) {
        fail("the client did not connect");
        return false;
    }
    return true;
}

bool FtpThreadPeer::command(std::string& line, std::chrono::milliseconds deadline) {
    while (!takeCommandLine(buffer_, line)) {
        if (!control_.read(buffer_, buffer_.size() + 1, deadline)) {
            return false;
        }
    }
    return true;
}

bool FtpThreadPeer::answer(const std::string& expected, const std::string& reply) {
    std::string line;
    if (!command(line) || line != expected) {
        fail("expected " + expected + ", got " + line);
        return false;
    }
    return control_.sendAll(reply);
}

bool FtpThreadPeer::waitForClose() {
    int error = 0;
    std::string rest;
    return control_.readToEnd(rest, kSocketDeadline, error) || error != 0;
}

bool FtpThreadPeer::dataConnect(const std::string& portCommand) {
    const int port = portCommandPort(portCommand);
    if (port < 0) {
        fail("not a PORT to 127.0.0.1: " + portCommand);
        return false;
    }
    data_ = std::make_unique<LoopbackPeer>();
    return data_->connect(port);
}

void FtpThreadPeer::dataClose() {
    if (data_) {
        data_->closeConnection();
    }
}

}  // namespace vantorell::test
