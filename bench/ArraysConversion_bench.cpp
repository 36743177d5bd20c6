// The editors' conversions on a generated model of 10 measures over four dimensions:
// internalize (the arrays into the tree and the measures grid), externalize (back into the
// arrays, change digest included) and the change digest alone, each against its anchor: a
// plain copy of the same five arrays. "vs_copy" is the anchor's time over the subject's;
// "ns_per_category" staying level from 10,000 to 100,000 categories shows linear growth.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/BenchSupport.h"
#include "bench/GeneratedArrays.h"
#include "designer/frmMain/ArraysConversion.h"

namespace {

using namespace vantorell;
using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

enum class Subject { Internalize, Externalize, Digest };

void runAgainstCopy(benchmark::State& state, Subject subject) {
    const auto categories = static_cast<int>(state.range(0));
    const ModelArrays& model = bench::generatedArrays(categories);
    EditorState editors;
    std::string checksum;
    if (subject != Subject::Internalize) {
        ModelArrays given = model;
        nulInternalizeReaderWriterArrays(editors, given, checksum, {}, {}, false, "", "");
    }

    // Both sets keep their storage from one iteration to the next, so that the anchor times
    // a copy rather than the system's handing out of fresh memory.
    ModelArrays arrays;
    ModelArrays copy;
    double subjectTime = 0;
    double anchorTime = 0;
    for (auto _ : state) {
        arrays = model;
        auto start = Clock::now();
        bool ok = true;
        switch (subject) {
            case Subject::Internalize:
                ok = nulInternalizeReaderWriterArrays(editors, arrays, checksum, {}, {}, false, "",
                                                      "");
                break;
            case Subject::Externalize:
                ok = nulExternalizeReaderWriterArrays(editors, arrays, checksum, "", "");
                break;
            case Subject::Digest:
                checksum = strChecksumGet(editors, arrays);
                break;
        }
        const double t = seconds(start);
        state.SetIterationTime(t);
        subjectTime += t;
        if (!ok) {
            state.SkipWithError("the conversion refused the model");
            break;
        }
        start = Clock::now();
        copy = model;
        benchmark::DoNotOptimize(copy.values.data());
        anchorTime += seconds(start);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["ns_per_category"] = subjectTime / n / categories * 1e9;
    state.counters["copy_ms"] = anchorTime / n * 1e3;
    state.counters["vs_copy"] = anchorTime / subjectTime;
}

void BM_Internalize(benchmark::State& state) {
    runAgainstCopy(state, Subject::Internalize);
}
void BM_Externalize(benchmark::State& state) {
    runAgainstCopy(state, Subject::Externalize);
}
void BM_ChangeDigest(benchmark::State& state) {
    runAgainstCopy(state, Subject::Digest);
}

}  // namespace

BENCHMARK(BM_Internalize)->Apply(bench::generatedSizes);
BENCHMARK(BM_Externalize)->Apply(bench::generatedSizes);
BENCHMARK(BM_ChangeDigest)->Apply(bench::generatedSizes);

BENCHMARK_MAIN();
