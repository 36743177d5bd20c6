#pragma once
// A server on 127.0.0.1 for one input of a fuzz target: it listens at a port the system
// chooses and hands every connection, with its number (0 for the first), to the handler on
// a thread of its own. Its end stops the handlers' waits and joins every thread, so nothing
// of one input reaches the next. Every wait has a deadline.

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vantorell::fuzz {

class LoopbackServer {
public:
    using Handler = std::function<void(LoopbackServer& server, int connection, int index)>;

    explicit LoopbackServer(Handler handler);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return port_; }

    // For the handlers. Reads until the text holds `end`, the peer closes or the time has
    // passed; false unless `end` came.
    bool readUntil(int connection, std::string& text, const std::string& end,
                   std::chrono::milliseconds deadline);
    // Reads what comes within the time; false once the peer has closed or failed.
    bool readSome(int connection, std::string& text, std::chrono::milliseconds deadline);
    bool sendAll(int connection, const std::string& bytes);
    // Waits until the peer has closed (what it sends is dropped), at most the time.
    void waitForClose(int connection, std::chrono::milliseconds deadline);
    // A connection to a port on 127.0.0.1; -1 when none could be made in time.
    int connectTo(int port, std::chrono::milliseconds deadline);
    bool stopping() const { return stopping_; }

private:
    // Waits until the descriptor is ready for `events` or the time has passed; false when
    // the server stops first.
    bool wait(int fd, short events, std::chrono::steady_clock::time_point end);
    void run();

    Handler handler_;
    int listener_ = -1;
    int port_ = 0;
    int wake_[2] = {-1, -1};
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    std::mutex mutex_;
    std::vector<std::thread> handlers_;
};

}  // namespace vantorell::fuzz
