#pragma once
// curl as the anchor of the transfer benchmarks: run as a process on the same loopback server.

#include <string>
#include <vector>

#include "bench/AnchorProgram.h"

namespace vantorell::bench {

// Runs curl quietly with the arguments; true when it ended with status 0.
inline bool runCurl(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"/usr/bin/curl", "-s", "-S", "--max-time", "120"});
    return runProgram(std::move(arguments));
}

}  // namespace vantorell::bench
