// A model extracted from an in-memory cube (three dimensions of parents with 20 leaves each,
// ten measures), against the plain work on the same bytes in the same run: a line split of
// the exports the cube tool wrote and one write of a file the size of the model. The
// counters give both times, the extraction's speed as a share of the anchor's
// ("speed_ratio", 1 = as fast) and its time per category, which stays flat when the cost
// grows linearly with the cube.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "bench/BenchFolder.h"
#include "bench/BenchSupport.h"
#include "bench/LineSplitAnchor.h"
#include "designer/rtnReaderWriter/CubeExtraction.h"
#include "platform/FileSystem.h"
#include "tests/support/FakeCube.h"

namespace {

using vantorell::bench::Clock;
using vantorell::bench::seconds;
using vantorell::bench::splitLines;

constexpr int kMeasures = 10;

vantorell::test::FakeCubeData cube(long long categories) {
    vantorell::test::FakeCubeData data;
    for (int m = 0; m < kMeasures; ++m) {
        data.measures.push_back("Measure " + std::to_string(m + 1));
    }
    const long long perDimension = categories / 3;
    for (int d = 0; d < 3; ++d) {
        vantorell::test::FakeDimension dim{"Dimension " + std::to_string(d + 1), {}};
        for (long long p = 0; p * 21 < perDimension; ++p) {
            vantorell::test::FakeCategory parent{"Parent " + std::to_string(p), {}, {}};
            for (long long i = 0; i < 20; ++i) {
                std::vector<std::string> values;
                for (int m = 0; m < kMeasures; ++m) {
                    values.push_back(std::to_string((p * 31 + i * 7 + m) % 997) + ".25");
                }
                parent.children.push_back(
                    {"Category " + std::to_string(p) + "-" + std::to_string(i), values, {}});
            }
            dim.categories.push_back(std::move(parent));
        }
        data.dimensions.push_back(std::move(dim));
    }
    return data;
}

void BM_ExtractAgainstSplitAndWrite(benchmark::State& state) {
    const long long categories = state.range(0);
    const vantorell::bench::BenchFolder program;
    const vantorell::bench::BenchFolder work;
    vantorell::test::FakeCubeTool tool;
    const vantorell::ScopedCubeAutomation scoped(tool);
    const std::string cubeFile = work.file("cube.mdc");
    tool.cubes[cubeFile] = cube(categories);
    const std::string model = work.file("model.vtm");
    const std::string copy = work.file("copy.vtm");

    // The exports as the cube tool writes them, kept for the anchor, and one run untimed.
    vantorell::nulConvertCubeToModel(program.path(), cubeFile, model, 0, {});
    std::vector<std::string> exports;
    {
        auto report = tool.createReport("PowerPlay.Report");
        report->newReport(cubeFile, 1);
        for (int d = 1; d <= 3; ++d) {
            auto list = report->categoryList();
            list->add(0, "Dimension " + std::to_string(d));
            report->rowsRemove();
            report->rowsAdd(*list);
            for (int r = 1; r <= report->rowsCount(); ++r) {
                if (report->rowsItemCanDrillDown(r)) {
                    report->rowsItemDrillDown(r);
                }
            }
            exports.push_back(work.file("export" + std::to_string(d) + ".asc"));
            report->saveAs(exports.back(), 3);
        }
    }
    const std::string modelBytes = vantorell::readWholeFile(model);
    tool.logCalls = false;

    double anchorTime = 0.0;
    double extractTime = 0.0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        for (const std::string& e : exports) {
            benchmark::DoNotOptimize(splitLines(e));
        }
        vantorell::writeFileAtomically(copy, modelBytes);
        const auto t1 = Clock::now();
        vantorell::nulConvertCubeToModel(program.path(), cubeFile, model, 0, {});
        const auto t2 = Clock::now();
        anchorTime += seconds(t0, t1);
        extractTime += seconds(t1, t2);
        state.SetIterationTime(seconds(t1, t2));
    }
    const auto n = static_cast<double>(state.iterations());
    if (n > 0 && extractTime > 0.0) {
        state.counters["anchor_ms"] = anchorTime / n * 1e3;
        state.counters["extract_ms"] = extractTime / n * 1e3;
        state.counters["speed_ratio"] = anchorTime / extractTime;
        state.counters["extract_ns_per_category"] =
            extractTime / n * 1e9 / static_cast<double>(categories);
    }
}
BENCHMARK(BM_ExtractAgainstSplitAndWrite)
    ->Arg(vantorell::bench::sized(3000, 63))
    ->Arg(vantorell::bench::sized(30000, 126))
    ->UseManualTime()
    ->MinTime(vantorell::bench::smokeRun() ? 0.001 : 2.0)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
