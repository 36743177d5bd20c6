// The model reader on generated models, against a plain line split of the same file in the
// same run: the counters give both times, the reader's speed as a share of the split's
// ("speed_ratio", 1 = as fast) and the reader's time per category, which stays flat when
// the cost grows linearly.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/GeneratedModel.h"
#include "bench/LineSplitAnchor.h"
#include "designer/rtnReaderWriter/ModelReader.h"

namespace {

using vantorell::bench::Clock;
using vantorell::bench::seconds;
using vantorell::bench::splitLines;

std::string writeModel(int categories) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("vantorell-bench-" + std::to_string(categories) + ".vtm"))
                                 .string();
    std::ofstream out(path, std::ios::binary);
    out << vantorell::bench::GeneratedModel(categories).text();
    return path;
}

void BM_ReadModelAgainstLineSplit(benchmark::State& state) {
    const auto categories = static_cast<int>(state.range(0));
    const std::string path = writeModel(categories);
    const auto fileBytes = static_cast<double>(std::filesystem::file_size(path));
    {
        // Once untimed, so that neither side pays for a cold file cache.
        splitLines(path);
        vantorell::ModelArrays model;
        std::int32_t points = 0;
        vantorell::flgReadFile(path, points, model);
    }
    double splitTime = 0.0;
    double readTime = 0.0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(splitLines(path));
        const auto t1 = Clock::now();
        vantorell::ModelArrays model;
        std::int32_t points = 0;
        const bool ok = vantorell::flgReadFile(path, points, model);
        const auto t2 = Clock::now();
        if (!ok || static_cast<int>(model.categories.size()) != categories) {
            state.SkipWithError("the generated model did not read");
            break;
        }
        benchmark::DoNotOptimize(model.values.data());
        splitTime += seconds(t0, t1);
        readTime += seconds(t1, t2);
        state.SetIterationTime(seconds(t1, t2));
    }
    std::filesystem::remove(path);
    const auto n = static_cast<double>(state.iterations());
    if (n > 0 && readTime > 0.0) {
        state.counters["file_MB"] = fileBytes / 1e6;
        state.counters["split_ms"] = splitTime / n * 1e3;
        state.counters["read_ms"] = readTime / n * 1e3;
        state.counters["speed_ratio"] = splitTime / readTime;
        state.counters["read_ns_per_category"] = readTime / n * 1e9 / categories;
    }
}
BENCHMARK(BM_ReadModelAgainstLineSplit)
    ->Arg(vantorell::bench::sized(10000, 200))
    ->Arg(vantorell::bench::sized(100000, 400))
    ->UseManualTime()
    ->MinTime(vantorell::bench::smokeRun() ? 0.001 : 3.0)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
