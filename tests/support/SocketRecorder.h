#pragma once
// Records the events of a socket object as short texts ("connected 0", "state 3>4",
// "closed 10054", ...) and offers the waits the socket tests need: each lets the event
// loop run until its condition holds or the deadline passes.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "transport/WSocket/CustomWSocket.h"

namespace vantorell::test {

inline constexpr std::chrono::milliseconds kSocketDeadline{5000};

class SocketRecorder {
public:
    // Binds every event of the socket except OnDataAvailable, which the test binds when it
    // wants to read (`readAll` binds one that appends everything to received()).
    // Declare it after the socket: its end unbinds the events it bound.
    explicit SocketRecorder(transport::TCustomWSocket& socket, bool readAll = false);
    ~SocketRecorder();
    SocketRecorder(const SocketRecorder&) = delete;
    SocketRecorder& operator=(const SocketRecorder&) = delete;

    const std::vector<std::string>& events() const { return events_; }
    std::string received() const { return received_; }
    bool has(const std::string& event) const;
    int count(const std::string& event) const;
    // The state changes only, as "old>new" pairs.
    std::vector<std::string> states() const;

    // Waits until an event with this text was recorded.
    bool waitFor(const std::string& event,
                 std::chrono::milliseconds deadline = kSocketDeadline) const;

private:
    transport::TCustomWSocket& socket_;
    bool readAll_;
    std::vector<std::string> events_;
    std::string received_;
};

// Lets the event loop run until `done` holds; false at the deadline.
bool waitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds deadline = kSocketDeadline);

// The message of the ESocketException the call raises; "(nothing raised)" when none.
std::string raisedMessage(const std::function<void()>& call);

// A listening component on 127.0.0.1 at a port of the system's choosing; the port it got.
std::string listenOnLoopback(transport::TCustomWSocket& listener);

}  // namespace vantorell::test
