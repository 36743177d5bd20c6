// A comma-separated dimension/category list converted into a model (both steps), against a
// plain line split of the same file in the same run: the counters give both times, the
// conversion's speed as a share of the split's ("speed_ratio", 1 = as fast) and its time per
// line, which stays flat when the cost grows linearly with the list.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>

#include "bench/BenchFolder.h"
#include "bench/BenchSupport.h"
#include "bench/LineSplitAnchor.h"
#include "designer/rtnReaderWriter/ListConversion.h"

namespace {

using vantorell::bench::Clock;
using vantorell::bench::seconds;
using vantorell::bench::splitLines;

enum Layout { kFlat, kParentReference, kLevelPairs };

// `lines` records in the layout: under 100 top-level records, 20 parents each, the rest
// leaves spread over the parents.
std::string csvText(Layout layout, long long lines) {
    std::string text;
    const long long parents = std::max(1LL, lines / 50);
    const long long leaves = lines - parents - parents / 20;
    auto top = [](long long p) { return "T" + std::to_string(p / 20); };
    if (layout == kFlat) {
        for (long long i = 0; i < lines; ++i) {
            text += "C" + std::to_string(i) + ",Category " + std::to_string(i) + "\r\n";
        }
    } else if (layout == kParentReference) {
        for (long long p = 0; p < parents; ++p) {
            if (p % 20 == 0) {
                text += top(p) + ",\"Top, " + top(p) + "\",\r\n";
            }
            text +=
                "P" + std::to_string(p) + ",Parent " + std::to_string(p) + "," + top(p) + "\r\n";
            for (long long i = p; i < leaves; i += parents) {
                text += "L" + std::to_string(i) + ",Leaf " + std::to_string(i) + ",P" +
                        std::to_string(p) + "\r\n";
            }
        }
    } else {
        for (long long p = 0; p < parents; ++p) {
            for (long long i = p; i < lines; i += parents) {
                text += "L" + std::to_string(i) + ",Leaf " + std::to_string(i) + ",P" +
                        std::to_string(p) + ",Parent " + std::to_string(p) + "," + top(p) +
                        ",\"Top, " + top(p) + "\"\r\n";
            }
        }
    }
    return text;
}

void BM_ConvertListAgainstLineSplit(benchmark::State& state) {
    const auto layout = static_cast<Layout>(state.range(0));
    const long long lines = state.range(1);
    const vantorell::bench::BenchFolder folder;
    const std::string csv = folder.path() + "list.vdc";
    const std::string work = folder.path() + "vdcworkfile.tmp";
    const std::string model = folder.path() + "vdcoutputfile.vtm";
    {
        std::ofstream out(csv, std::ios::binary);
        out << csvText(layout, lines);
    }
    const std::string title = layout == kFlat ? "Categories" : "$$";
    // Once untimed, so that neither side pays for a cold file cache.
    splitLines(csv);
    vantorell::nulConvertCsvToList(csv, work, title);
    vantorell::nulConvertListToModel(work, model);

    double splitTime = 0.0;
    double convertTime = 0.0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(splitLines(csv));
        const auto t1 = Clock::now();
        vantorell::nulConvertCsvToList(csv, work, title);
        vantorell::nulConvertListToModel(work, model);
        const auto t2 = Clock::now();
        splitTime += seconds(t0, t1);
        convertTime += seconds(t1, t2);
        state.SetIterationTime(seconds(t1, t2));
    }
    const auto n = static_cast<double>(state.iterations());
    if (n > 0 && convertTime > 0.0) {
        state.counters["split_ms"] = splitTime / n * 1e3;
        state.counters["convert_ms"] = convertTime / n * 1e3;
        state.counters["speed_ratio"] = splitTime / convertTime;
        state.counters["convert_ns_per_line"] = convertTime / n * 1e9 / static_cast<double>(lines);
    }
}
BENCHMARK(BM_ConvertListAgainstLineSplit)
    ->ArgsProduct({{kFlat, kParentReference, kLevelPairs},
                   {vantorell::bench::sized(10000, 100), vantorell::bench::sized(100000, 300)}})
    ->UseManualTime()
    ->MinTime(vantorell::bench::smokeRun() ? 0.001 : 2.0)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
