// Loading a string grid row by row and walking a node tree in pre-order, each against a plain
// vector doing the same work on the same data in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "designer/rtnGrids/GridRows.h"
#include "designer/rtnTrees/rtnTrees.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::vector<std::vector<std::string>> measureRows(long long count) {
    std::vector<std::vector<std::string>> rows;
    for (long long i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        rows.push_back({"Measure " + n, "MEAS" + n, "Independent", "0", "0"});
    }
    return rows;
}

// Grid: clear, then one nulGridRowAdd per row. Anchor: the same rows pushed onto a vector.
void BM_GridRowAdd(benchmark::State& state) {
    const auto rows = measureRows(vantorell::bench::sized(100000, 100));
    double anchorSeconds = 0;
    double gridSeconds = 0;
    for (auto _ : state) {
        // Each side is timed with its own freeing, so both meet the allocator alike.
        auto start = Clock::now();
        {
            vantorell::StringGrid grid;
            grid.setFixedCols(0);
            vantorell::nulGridClear(grid);
            for (const auto& row : rows) {
                vantorell::nulGridRowAdd(grid, row);
            }
            benchmark::DoNotOptimize(grid.rowCount());
        }
        const double g = secondsSince(start);

        start = Clock::now();
        {
            std::vector<std::vector<std::string>> plain;
            for (const auto& row : rows) {
                plain.push_back(row);
            }
            benchmark::DoNotOptimize(plain.data());
        }
        const double a = secondsSince(start);

        state.SetIterationTime(g);
        gridSeconds += g;
        anchorSeconds += a;
    }
    state.counters["rows"] = static_cast<double>(rows.size());
    state.counters["ratio_to_vector"] = anchorSeconds > 0 ? gridSeconds / anchorSeconds : 0;
}
BENCHMARK(BM_GridRowAdd)->UseManualTime()->Unit(benchmark::kMillisecond);

// Tree: a walk in pre-order over every node. Anchor: a loop over a vector of the same texts.
void BM_TreePreOrderWalk(benchmark::State& state) {
    const long long count = vantorell::bench::sized(100000, 100);
    vantorell::NodeTree tree;
    std::vector<std::string> texts;
    vantorell::TreeNode* parent = nullptr;
    for (long long i = 0; i < count; ++i) {
        texts.push_back("Category " + std::to_string(i));
        // Ten dimensions, each with groups of ten categories under a parent category.
        if (i % 10000 == 0 || parent == nullptr) {
            parent = tree.addChild(nullptr, texts.back());
        } else if (i % 10 == 0) {
            parent = tree.addChild(vantorell::tneTreeNodeTopLevel(parent), texts.back());
        } else {
            tree.addChild(parent, texts.back());
        }
    }
    double anchorSeconds = 0;
    double walkSeconds = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        std::size_t bytes = 0;
        for (const vantorell::TreeNode* n = tree.getFirstNode(); n != nullptr; n = n->getNext()) {
            bytes += n->text().size() + static_cast<std::size_t>(n->level());
        }
        benchmark::DoNotOptimize(bytes);
        const double w = secondsSince(start);

        start = Clock::now();
        std::size_t plain = 0;
        for (const std::string& t : texts) {
            plain += t.size() + 1;
        }
        benchmark::DoNotOptimize(plain);
        const double a = secondsSince(start);

        state.SetIterationTime(w);
        walkSeconds += w;
        anchorSeconds += a;
    }
    state.counters["nodes"] = static_cast<double>(tree.count());
    state.counters["ratio_to_vector"] = anchorSeconds > 0 ? walkSeconds / anchorSeconds : 0;
}
BENCHMARK(BM_TreePreOrderWalk)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
