#include "tests/support/LoopbackPeer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <stdexcept>

namespace vantorell::test {
namespace {

bool waitReadable(int fd, std::chrono::steady_clock::time_point end) {
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd p{fd, POLLIN, 0};
        const int rc = ::poll(&p, 1, static_cast<int>(left.count()));
        if (rc > 0) {
            return true;
        }
        if (rc < 0 && errno != EINTR) {
            return false;
        }
    }
}

}  // namespace

sockaddr_in loopbackAddress(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

sockaddr_in loopbackAddress(const std::string& address, int port) {
    sockaddr_in result = loopbackAddress(port);
    // Only loopback addresses: a test never reaches beyond this machine.
    if (::inet_pton(AF_INET, address.c_str(), &result.sin_addr) != 1 ||
        (ntohl(result.sin_addr.s_addr) >> 24) != 127) {
        throw std::runtime_error("not a loopback address: " + address);
    }
    return result;
}

int freeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopbackAddress(0);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        throw std::runtime_error("no free port on 127.0.0.1");
    }
    ::close(fd);
    return ntohs(address.sin_port);
}

int listenOnLoopback(int& port, int receiveBuffer) {
    port = 0;
    return listenOnLoopback("127.0.0.1", port, receiveBuffer);
}

int listenOnLoopback(const std::string& on, int& port, int receiveBuffer) {
    sockaddr_in address = loopbackAddress(on, port);
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (receiveBuffer > 0) {
        ::setsockopt(listener, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    }
    socklen_t length = sizeof address;
    if (listener < 0 ||
        ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 8) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listener >= 0) {
            ::close(listener);
        }
        throw std::runtime_error("cannot listen on " + on);
    }
    port = ntohs(address.sin_port);
    return listener;
}

LoopbackPeer::LoopbackPeer(int receiveBuffer) {
    listener_ = listenOnLoopback(port_, receiveBuffer);
}

LoopbackPeer::LoopbackPeer(const std::string& address, int port) : port_(port) {
    listener_ = listenOnLoopback(address, port_);
}

LoopbackPeer::~LoopbackPeer() {
    closeConnection();
    ::close(listener_);
}

bool LoopbackPeer::connect(int port, const std::string& from) {
    closeConnection();
    connection_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (!from.empty()) {
        const sockaddr_in local = loopbackAddress(from, 0);
        if (::bind(connection_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
            return false;
        }
    }
    const sockaddr_in address = loopbackAddress(port);
    return ::connect(connection_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

bool LoopbackPeer::acceptReady() const {
    pollfd p{listener_, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0;
}

LoopbackPeer* LoopbackPeer::firstToConnect(const std::vector<LoopbackPeer*>& peers,
                                           std::chrono::milliseconds deadline) {
    std::vector<pollfd> waiting;
    for (const LoopbackPeer* peer : peers) {
        waiting.push_back(pollfd{peer->listener_, POLLIN, 0});
    }
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return nullptr;
        }
        const int rc = ::poll(waiting.data(), waiting.size(), static_cast<int>(left.count()));
        if (rc < 0 && errno != EINTR) {
            return nullptr;
        }
        for (std::size_t i = 0; rc > 0 && i < waiting.size(); ++i) {
            if ((waiting[i].revents & POLLIN) != 0) {
                return peers[i];
            }
        }
    }
}

bool LoopbackPeer::accept(std::chrono::milliseconds deadline) {
    if (!waitReadable(listener_, std::chrono::steady_clock::now() + deadline)) {
        return false;
    }
    connection_ = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    return connection_ >= 0;
}

bool LoopbackPeer::readToEnd(std::string& data, std::chrono::milliseconds deadline, int& error) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    error = 0;
    char buffer[65536];
    for (;;) {
        if (!waitReadable(connection_, end)) {
            return false;
        }
        const ssize_t n = ::recv(connection_, buffer, sizeof buffer, 0);
        if (n == 0) {
            return true;
        }
        if (n < 0) {
            error = errno;
            return false;
        }
        data.append(buffer, static_cast<std::size_t>(n));
    }
}

bool LoopbackPeer::read(std::string& data, std::size_t size, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    char buffer[65536];
    while (data.size() < size) {
        if (!waitReadable(connection_, end)) {
            return false;
        }
        const ssize_t n =
            ::recv(connection_, buffer, std::min(sizeof buffer, size - data.size()), 0);
        if (n <= 0) {
            return false;
        }
        data.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

bool LoopbackPeer::readAvailable(std::string& data) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::recv(connection_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0) {
            data.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR);
    }
}

bool LoopbackPeer::sendAll(const std::string& data) {
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(connection_, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) {
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

void LoopbackPeer::closeConnection(bool reset) {
    if (connection_ < 0) {
        return;
    }
    if (reset) {
        const linger abortive{1, 0};
        ::setsockopt(connection_, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    }
    ::close(connection_);
    connection_ = -1;
}

}  // namespace vantorell::test
