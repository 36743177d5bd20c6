// Anchor for the other benchmarks: a plain memory copy of a buffer.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench/BenchSupport.h"

static void BM_MemoryCopy(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(vantorell::bench::sized(64 << 20, 4096));
    std::vector<char> from(size, 'x'), to(size);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), size);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
}
BENCHMARK(BM_MemoryCopy);

BENCHMARK_MAIN();
