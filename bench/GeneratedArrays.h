#pragma once
// Random model arrays for benchmarks: four dimensions sharing the given number of categories
// and ten measures, made once per size and kept for the run.

#include <benchmark/benchmark.h>

#include <map>

#include "bench/BenchSupport.h"
#include "designer/rtnReaderWriter/ModelRecords.h"
#include "tests/support/RandomModel.h"

namespace vantorell::bench {

inline constexpr int kGeneratedMeasures = 10;

inline const ModelArrays& generatedArrays(int categories) {
    static std::map<int, ModelArrays> models;
    auto it = models.find(categories);
    if (it == models.end()) {
        test::RandomModelOptions options;
        options.minDimensions = 4;
        options.maxDimensions = 4;
        options.totalCategories = categories;
        options.totalMeasures = kGeneratedMeasures;
        it = models.emplace(categories, test::randomModel(42, options)).first;
    }
    return it->second;
}

// The sizes the benchmarks run at: 10,000 and 100,000 categories (200 in a smoke run), timed
// by the benchmark itself, in milliseconds.
inline void generatedSizes(benchmark::internal::Benchmark* b) {
    if (smokeRun()) {
        b->Arg(200);
    } else {
        b->Arg(10000)->Arg(100000);
    }
    b->UseManualTime()->Unit(benchmark::kMillisecond);
}

}  // namespace vantorell::bench
