#include "tests/fuzz/LoopbackServer.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/LoopbackPeer.h"

namespace vantorell::fuzz {
namespace {

using Clock = std::chrono::steady_clock;

int millisecondsTo(Clock::time_point end) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Appends what one receive on a readable connection gives; false at its end or an error.
bool receiveInto(int connection, std::string& text) {
    char buffer[4096];
    const ssize_t got = ::recv(connection, buffer, sizeof buffer, 0);
    if (got <= 0) {
        return false;
    }
    text.append(buffer, static_cast<std::size_t>(got));
    return true;
}

}  // namespace

LoopbackServer::LoopbackServer(Handler handler) : handler_(std::move(handler)) {
    listener_ = test::listenOnLoopback(port_);
    require(::pipe2(wake_, O_CLOEXEC) == 0, "the server's wake pipe can be made");
    acceptor_ = std::thread([this] { run(); });
}

LoopbackServer::~LoopbackServer() {
    stopping_ = true;
    [[maybe_unused]] const ssize_t n = ::write(wake_[1], "x", 1);
    acceptor_.join();
    for (std::thread& t : handlers_) {
        t.join();
    }
    ::close(listener_);
    ::close(wake_[0]);
    ::close(wake_[1]);
}

bool LoopbackServer::wait(int fd, short events, Clock::time_point end) {
    for (;;) {
        if (stopping_) {
            return false;
        }
        pollfd p[2] = {{fd, events, 0}, {wake_[0], POLLIN, 0}};
        const int ready = ::poll(p, 2, millisecondsTo(end));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        return ready > 0 && p[1].revents == 0 && p[0].revents != 0;
    }
}

void LoopbackServer::run() {
    int index = 0;
    while (wait(listener_, POLLIN, Clock::now() + std::chrono::hours(1))) {
        const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection < 0) {
            continue;
        }
        const int on = 1;
        ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        const std::lock_guard<std::mutex> lock(mutex_);
        handlers_.emplace_back([this, connection, number = index++] {
            handler_(*this, connection, number);
            ::close(connection);
        });
    }
}

bool LoopbackServer::readUntil(int connection, std::string& text, const std::string& end,
                               std::chrono::milliseconds deadline) {
    const auto until = Clock::now() + deadline;
    while (text.find(end) == std::string::npos) {
        if (!wait(connection, POLLIN, until) || !receiveInto(connection, text)) {
            return false;
        }
    }
    return true;
}

bool LoopbackServer::readSome(int connection, std::string& text,
                              std::chrono::milliseconds deadline) {
    if (!wait(connection, POLLIN, Clock::now() + deadline)) {
        return !stopping_;
    }
    return receiveInto(connection, text);
}

bool LoopbackServer::sendAll(int connection, const std::string& bytes) {
    const auto until = Clock::now() + std::chrono::seconds(5);
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(connection, bytes.data() + sent, bytes.size() - sent,
                                 MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (!wait(connection, POLLOUT, until)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

void LoopbackServer::waitForClose(int connection, std::chrono::milliseconds deadline) {
    const auto until = Clock::now() + deadline;
    while (wait(connection, POLLIN, until)) {
        char buffer[4096];
        if (::recv(connection, buffer, sizeof buffer, 0) <= 0) {
            return;
        }
    }
}

int LoopbackServer::connectTo(int port, std::chrono::milliseconds deadline) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return -1;
    }
    const sockaddr_in address = test::loopbackAddress(port);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
        errno != EINPROGRESS) {
        ::close(fd);
        return -1;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (!wait(fd, POLLOUT, Clock::now() + deadline) ||
        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace vantorell::fuzz
