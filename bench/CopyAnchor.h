#pragma once
// Anchors measured inside a benchmark run: how long a plain copy of the same data takes,
// so that each benchmark can report how many times a copy its work costs.

#include <chrono>
#include <cstring>
#include <map>
#include <vector>

#include "bench/BenchSupport.h"

namespace vantorell::bench {

// Seconds per call of fn, over as many calls as fit in a short budget (at least three).
template <typename Fn>
double secondsPerCall(Fn&& fn) {
    using Clock = std::chrono::steady_clock;
    const double budget = smokeRun() ? 0.001 : 0.25;
    fn();  // warm up
    int calls = 0;
    const auto start = Clock::now();
    double elapsed = 0;
    do {
        fn();
        ++calls;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < budget || calls < 3);
    return elapsed / calls;
}

// Wall time of a benchmark's timing loop: start it just before the loop, read it after.
class Stopwatch {
public:
    Stopwatch() : start_(std::chrono::steady_clock::now()) {}
    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_;
};

// Seconds for one memcpy of `size` bytes, measured once per size.
inline double memoryCopySeconds(std::size_t size) {
    static std::map<std::size_t, double> measured;
    auto it = measured.find(size);
    if (it == measured.end()) {
        std::vector<char> from(size, 'x');
        std::vector<char> to(size);
        const double s = secondsPerCall([&] {
            std::memcpy(to.data(), from.data(), size);
            asm volatile("" : : "r"(to.data()) : "memory");
        });
        it = measured.emplace(size, s).first;
    }
    return it->second;
}

}  // namespace vantorell::bench
