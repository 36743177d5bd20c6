#pragma once
// The anchor of the benchmarks that read a text file: every line of the same file into a
// string, timed in the same run.

#include <chrono>
#include <cstddef>
#include <fstream>
#include <string>

namespace vantorell::bench {

using Clock = std::chrono::steady_clock;

// Reads the file line by line; the bytes of the lines, so that nothing is optimised away.
inline std::size_t splitLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::size_t bytes = 0;
    while (std::getline(in, line)) {
        bytes += line.size();
    }
    return bytes;
}

inline double seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

}  // namespace vantorell::bench
