#pragma once
// A scripted HTTP server on 127.0.0.1 for the cases a real server cannot produce: on a
// thread of its own it takes one connection per answer in its script, reads the request
// (header and announced body), and sends the answer's pieces in order, each after its
// pause, then closes, resets, or holds the connection until the client closes it, or sends
// the last piece again and again (a document that never ends) until the client closes. Every
// wait of the thread has a deadline; the object's end stops and joins it.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vantorell::test {

struct ScriptedAnswer {
    struct Piece {
        std::string bytes;
        std::chrono::milliseconds pause{0};  // before the piece
    };
    enum class End { Close, Reset, Hold, Repeat };

    ScriptedAnswer(std::string bytes = "", End end = End::Close) : end(end) {
        pieces.push_back({std::move(bytes), std::chrono::milliseconds(0)});
    }
    ScriptedAnswer& then(std::string bytes, std::chrono::milliseconds pause) {
        pieces.push_back({std::move(bytes), pause});
        return *this;
    }

    std::vector<Piece> pieces;
    End end = End::Close;
};

class ScriptedHttpPeer {
public:
    explicit ScriptedHttpPeer(std::vector<ScriptedAnswer> script);
    ~ScriptedHttpPeer();
    ScriptedHttpPeer(const ScriptedHttpPeer&) = delete;
    ScriptedHttpPeer& operator=(const ScriptedHttpPeer&) = delete;

    int port() const { return port_; }
    std::string portText() const { return std::to_string(port_); }
    // The requests read so far, one per connection, header and body as they came.
    std::vector<std::string> requests() const;
    // How many connections have ended on the server's side.
    int finished() const;
    // Bytes sent so far, over every connection.
    std::size_t sent() const { return sent_; }
    // Waits (blocking: the server runs on its own thread) until Count connections have
    // ended; false at the deadline.
    bool waitFinished(int Count, std::chrono::milliseconds Deadline) const;

private:
    void run(std::vector<ScriptedAnswer> script);
    void serve(int connection, const ScriptedAnswer& answer);
    bool readRequest(int connection, std::string& request);
    bool pause(int connection, std::chrono::milliseconds time);

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<std::size_t> sent_{0};
    int finished_ = 0;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// An answer: the status line, the header lines, a "Content-Length" line for the body
// (unless told not to) and the body.
std::string httpAnswer(const std::string& StatusLine, const std::vector<std::string>& Headers,
                       const std::string& Body, bool WithLength = true);

// The lines of a request's header (request line first), and what follows the header.
std::vector<std::string> requestLines(const std::string& Request);
std::string requestBody(const std::string& Request);

}  // namespace vantorell::test
