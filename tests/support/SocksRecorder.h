#pragma once
// Records, in one list and in order, what a SOCKS socket reports: "socks connected 0",
// "auth start", "auth success", "auth failure", "auth not required",
// "socks error 20003 <text>", "connected 0", "closed 10054". Everything the socket
// receives goes to received().

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/SocketRecorder.h"
#include "transport/WSocket/SocksWSocket.h"

namespace vantorell::test {

class SocksRecorder {
public:
    // Declare it after the socket: its end unbinds the events it bound.
    explicit SocksRecorder(transport::TCustomSocksWSocket& socket);
    ~SocksRecorder();
    SocksRecorder(const SocksRecorder&) = delete;
    SocksRecorder& operator=(const SocksRecorder&) = delete;

    const std::vector<std::string>& events() const { return events_; }
    const std::string& received() const { return received_; }
    bool waitFor(const std::string& event,
                 std::chrono::milliseconds deadline = kSocketDeadline) const;
    bool waitForReceived(std::size_t size,
                         std::chrono::milliseconds deadline = kSocketDeadline) const;

private:
    transport::TCustomSocksWSocket& socket_;
    std::vector<std::string> events_;
    std::string received_;
};

}  // namespace vantorell::test
