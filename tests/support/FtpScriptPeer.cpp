#include "tests/support/FtpScriptPeer.h"

#include <gtest/gtest.h>

#include "platform/EventLoop.h"

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
    if (!complete) {
        return false;
    }
    const std::size_t end = got_.find("\r\n");
    line = got_.substr(0, end);
    got_.erase(0, end + 2);
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

}  // namespace vantorell::test
