#pragma once
// Records what an FTP client reports: its display lines, and the ends of its requests as
// "done <request> <error>"; offers waits with deadlines for them.

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/SocketRecorder.h"
#include "transport/FtpCli/CustomFtpCli.h"

namespace vantorell::test {

class FtpRecorder {
public:
    // Declare it after the client: its end unbinds the events it bound.
    explicit FtpRecorder(transport::TCustomFtpCli& client);
    ~FtpRecorder();
    FtpRecorder(const FtpRecorder&) = delete;
    FtpRecorder& operator=(const FtpRecorder&) = delete;

    const std::vector<std::string>& display() const { return display_; }
    const std::vector<std::string>& done() const { return done_; }
    const std::vector<std::string>& files() const { return files_; }
    // Waits for the next end of a request and returns it ("" at the deadline).
    std::string waitDone(std::chrono::milliseconds deadline = kSocketDeadline);
    static std::string text(transport::TFtpRequest request, int error);

private:
    transport::TCustomFtpCli& client_;
    std::vector<std::string> display_;
    std::vector<std::string> done_;
    std::vector<std::string> files_;
    std::size_t taken_ = 0;
};

}  // namespace vantorell::test
