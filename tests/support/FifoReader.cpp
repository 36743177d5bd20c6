#include "tests/support/FifoReader.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>

namespace vantorell::test {

std::string readFifo(int fd) {
    std::string got;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            ADD_FAILURE() << "no end of output within the deadline";
            return got;
        }
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) {
            continue;
        }
        char buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            got.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 && !got.empty()) {
            return got;
        }
    }
}

}  // namespace vantorell::test
