#include "tests/support/ScriptedHttpPeer.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "tests/support/LoopbackPeer.h"

namespace vantorell::test {
namespace {

using Clock = std::chrono::steady_clock;

// How long the thread waits for a client at most, at every step.
constexpr std::chrono::milliseconds kPeerDeadline{20000};
constexpr int kStopCheck = 50;  // ms between looks at the stop flag while waiting

std::size_t announcedLength(const std::string& header) {
    std::string lower = header;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto at = lower.find("\r\ncontent-length:");
    if (at == std::string::npos) {
        return 0;
    }
    return static_cast<std::size_t>(std::stoull(lower.substr(at + 17)));
}

// Waits for the descriptor to be readable; false at the deadline or when stopping.
bool readable(int fd, Clock::time_point end, const std::atomic<bool>& stopping) {
    while (!stopping && Clock::now() < end) {
        pollfd p{fd, POLLIN, 0};
        const int rc = ::poll(&p, 1, kStopCheck);
        if (rc > 0) {
            return true;
        }
        if (rc < 0 && errno != EINTR) {
            return false;
        }
    }
    return false;
}

}  // namespace

ScriptedHttpPeer::ScriptedHttpPeer(std::vector<ScriptedAnswer> script) {
    listener_ = listenOnLoopback(port_);
    thread_ = std::thread([this, script = std::move(script)]() mutable { run(std::move(script)); });
}

ScriptedHttpPeer::~ScriptedHttpPeer() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

std::vector<std::string> ScriptedHttpPeer::requests() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

int ScriptedHttpPeer::finished() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return finished_;
}

bool ScriptedHttpPeer::waitFinished(int Count, std::chrono::milliseconds Deadline) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, Deadline, [&] { return finished_ >= Count; });
}

void ScriptedHttpPeer::run(std::vector<ScriptedAnswer> script) {
    for (const auto& answer : script) {
        if (!readable(listener_, Clock::now() + kPeerDeadline, stopping_)) {
            return;
        }
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) {
            return;
        }
        serve(connection, answer);
        const std::lock_guard<std::mutex> lock(mutex_);
        ++finished_;
        changed_.notify_all();
    }
}

bool ScriptedHttpPeer::readRequest(int connection, std::string& request) {
    const auto end = Clock::now() + kPeerDeadline;
    char buffer[65536];
    std::size_t headerEnd = std::string::npos;
    for (;;) {
        if (headerEnd == std::string::npos) {
            headerEnd = request.find("\r\n\r\n");
        }
        if (headerEnd != std::string::npos &&
            request.size() >= headerEnd + 4 + announcedLength(request.substr(0, headerEnd + 2))) {
            return true;
        }
        if (!readable(connection, end, stopping_)) {
            return false;
        }
        const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0) {
            return false;
        }
        request.append(buffer, static_cast<std::size_t>(n));
    }
}

// Waits Time before the next piece; false when the client closed meanwhile.
bool ScriptedHttpPeer::pause(int connection, std::chrono::milliseconds time) {
    const auto end = Clock::now() + time;
    while (!stopping_ && Clock::now() < end) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        // Only the client's close or reset ends the pause early: bytes it sends meanwhile
        // wait, so that they do not wake the poll again and again.
        pollfd p{connection, POLLRDHUP, 0};
        if (::poll(&p, 1, static_cast<int>(std::max<long long>(left.count(), 0))) > 0) {
            return false;
        }
    }
    return !stopping_;
}

void ScriptedHttpPeer::serve(int connection, const ScriptedAnswer& answer) {
    std::string request;
    const bool complete = readRequest(connection, request);
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(request);
    }
    bool open = complete;
    const auto sendPiece = [&](const ScriptedAnswer::Piece& piece) {
        if (!open || !pause(connection, piece.pause)) {
            open = false;
            return;
        }
        if (!piece.bytes.empty()) {
            const ssize_t n =
                ::send(connection, piece.bytes.data(), piece.bytes.size(), MSG_NOSIGNAL);
            sent_ += n > 0 ? static_cast<std::size_t>(n) : 0;
            open = n == static_cast<ssize_t>(piece.bytes.size());
        }
    };
    for (const auto& piece : answer.pieces) {
        sendPiece(piece);
    }
    if (answer.end == ScriptedAnswer::End::Repeat) {
        // Sends only when the client has room, so that a client that stops reading does not
        // hold the thread; its close ends the loop.
        const ScriptedAnswer::Piece& last = answer.pieces.back();
        const auto end = Clock::now() + kPeerDeadline;
        while (open && !stopping_ && Clock::now() < end && pause(connection, last.pause)) {
            pollfd p{connection, POLLOUT, 0};
            if (::poll(&p, 1, kStopCheck) <= 0 || (p.revents & POLLOUT) == 0) {
                open = (p.revents & (POLLERR | POLLHUP)) == 0;
                continue;
            }
            const ssize_t n = ::send(connection, last.bytes.data(), last.bytes.size(),
                                     MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0) {
                sent_ += static_cast<std::size_t>(n);
            } else if (errno != EAGAIN && errno != EWOULDBLOCK) {
                open = false;
            }
        }
    }
    if (open && answer.end == ScriptedAnswer::End::Hold) {
        // Until the client closes: what it still sends is read and dropped.
        const auto end = Clock::now() + kPeerDeadline;
        char buffer[4096];
        while (readable(connection, end, stopping_) &&
               ::recv(connection, buffer, sizeof buffer, 0) > 0) {
        }
    }
    if (answer.end == ScriptedAnswer::End::Reset) {
        const linger abortive{1, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    }
    ::close(connection);
}

std::string httpAnswer(const std::string& StatusLine, const std::vector<std::string>& Headers,
                       const std::string& Body, bool WithLength) {
    std::string answer = StatusLine + "\r\n";
    for (const auto& line : Headers) {
        answer += line + "\r\n";
    }
    if (WithLength) {
        answer += "Content-Length: " + std::to_string(Body.size()) + "\r\n";
    }
    return answer + "\r\n" + Body;
}

std::vector<std::string> requestLines(const std::string& Request) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (;;) {
        const auto end = Request.find("\r\n", at);
        if (end == std::string::npos || end == at) {
            return lines;
        }
        lines.push_back(Request.substr(at, end - at));
        at = end + 2;
    }
}

std::string requestBody(const std::string& Request) {
    const auto end = Request.find("\r\n\r\n");
    return end == std::string::npos ? std::string() : Request.substr(end + 4);
}

}  // namespace vantorell::test
