#pragma once
// Ours and its anchor measured in turns within one benchmark loop: every iteration times
// one run of each, the order changing from one iteration to the next, so that a change in
// the machine's load falls on both alike. The loop's time is ours (benchmarks using this
// are registered with UseManualTime); the figures are medians of the runs.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace vantorell::bench {

inline double median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct InterleavedTimes {
    std::vector<double> ours;    // seconds per run
    std::vector<double> anchor;  // seconds per run
};

// Runs the loop; false (and the benchmark marked failed) when one of the runs failed.
inline bool runInterleaved(benchmark::State& state, const std::function<bool()>& ours,
                           const std::function<bool()>& anchor, InterleavedTimes& times) {
    using Clock = std::chrono::steady_clock;
    const auto timed = [](const std::function<bool()>& run, double& seconds) {
        const auto start = Clock::now();
        const bool ok = run();
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        return ok;
    };
    bool anchorFirst = false;
    for (auto _ : state) {
        double ourSeconds = 0;
        double anchorSeconds = 0;
        const bool ok = anchorFirst ? timed(anchor, anchorSeconds) && timed(ours, ourSeconds)
                                    : timed(ours, ourSeconds) && timed(anchor, anchorSeconds);
        if (!ok) {
            state.SkipWithError("a run failed");
            return false;
        }
        state.SetIterationTime(ourSeconds);
        times.ours.push_back(ourSeconds);
        times.anchor.push_back(anchorSeconds);
        anchorFirst = !anchorFirst;
    }
    return true;
}

// Counters of a transfer of `bytes` against its anchor: both speeds, and `ratioName`, the
// anchor's median time over ours (above 1: ours is faster).
inline void reportInterleaved(benchmark::State& state, const InterleavedTimes& times,
                              long long bytes, const std::string& anchorName,
                              const std::string& ratioName) {
    const double ours = median(times.ours);
    const double anchor = median(times.anchor);
    if (bytes > 0) {
        state.SetBytesProcessed(state.iterations() * bytes);
        state.counters["MB_per_s"] = static_cast<double>(bytes) / ours / 1e6;
        state.counters[anchorName + "_MB_per_s"] = static_cast<double>(bytes) / anchor / 1e6;
    }
    state.counters[anchorName + "_ms"] = anchor * 1e3;
    state.counters["ms"] = ours * 1e3;
    state.counters[ratioName] = anchor / ours;
}

}  // namespace vantorell::bench
