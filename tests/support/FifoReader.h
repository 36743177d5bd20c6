#pragma once

#include <string>

namespace vantorell::test {

// Reads what a started program writes into a FIFO opened with O_NONBLOCK, until the writer
// closes it after writing, or 10 s pass (a test failure). The wait sleeps in poll.
std::string readFifo(int fd);

}  // namespace vantorell::test
