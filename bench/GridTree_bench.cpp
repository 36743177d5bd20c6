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

// Times `work` and then `anchor` in every iteration; reports the time of `work` and its
// ratio to the anchor's.
template <class Work, class Anchor>
void timeAgainstAnchor(benchmark::State& state, Work&& work, Anchor&& anchor) {
    double workSeconds = 0;
    double anchorSeconds = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        work();
        const double w = std::chrono::duration<double>(Clock::now() - start).count();
        start = Clock::now();
        anchor();
        const double a = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(w);
        workSeconds += w;
        anchorSeconds += a;
    }
    state.counters["ratio_to_vector"] = anchorSeconds > 0 ? workSeconds / anchorSeconds : 0;
}

// Grid: clear, then one nulGridRowAdd per row. Anchor: the same rows pushed onto a vector.
// Each side frees what it built within its time, so both meet the allocator alike.
void BM_GridRowAdd(benchmark::State& state) {
    std::vector<std::vector<std::string>> rows;
    for (long long i = 0; i < vantorell::bench::sized(100000, 100); ++i) {
        const std::string n = std::to_string(i);
        rows.push_back({"Measure " + n, "MEAS" + n, "Independent", "0", "0"});
    }
    timeAgainstAnchor(
        state,
        [&] {
            vantorell::StringGrid grid;
            grid.setFixedCols(0);
            vantorell::nulGridClear(grid);
            for (const auto& row : rows) {
                vantorell::nulGridRowAdd(grid, row);
            }
            benchmark::DoNotOptimize(grid.rowCount());
        },
        [&] {
            std::vector<std::vector<std::string>> plain;
            for (const auto& row : rows) {
                plain.push_back(row);
            }
            benchmark::DoNotOptimize(plain.data());
        });
    state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_GridRowAdd)->UseManualTime()->Unit(benchmark::kMillisecond);

// Tree: a walk in pre-order over every node, reading text and level. Anchor: a loop over a
// vector of the same texts.
void BM_TreePreOrderWalk(benchmark::State& state) {
    vantorell::NodeTree tree;
    std::vector<std::string> texts;
    vantorell::TreeNode* parent = nullptr;
    for (long long i = 0; i < vantorell::bench::sized(100000, 100); ++i) {
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
    timeAgainstAnchor(
        state,
        [&] {
            std::size_t bytes = 0;
            for (const vantorell::TreeNode* n = tree.getFirstNode(); n != nullptr;
                 n = n->getNext()) {
                bytes += n->text().size() + static_cast<std::size_t>(n->level());
            }
            benchmark::DoNotOptimize(bytes);
        },
        [&] {
            std::size_t bytes = 0;
            for (const std::string& t : texts) {
                bytes += t.size() + 1;
            }
            benchmark::DoNotOptimize(bytes);
        });
    state.counters["nodes"] = static_cast<double>(tree.count());
}
BENCHMARK(BM_TreePreOrderWalk)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
