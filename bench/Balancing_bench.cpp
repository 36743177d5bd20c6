// Balancing a sibling group of 1,000 to 10,000 categories, each against a single pass over
// the same group in the same run (reading every share once). "passes" is the subject's time
// over the anchor's: it stays level as the group grows when the cost grows linearly.
//   OtherRows: a row of the measure values grid rises by 10 % and falls back; the others give
//              and take it.
//   Drain:     a row is set to 100 % and back to an even share (Alt+Up): every other row
//              gives its whole share away one step at a time, and takes it back.
//   SmallChange: a change of 5 millionths among rows of 100, with one row of matching
//              magnitude at the far end: every other row must refuse it, round after round.
//   Siblings:  the same rise and fall of a category's share in the tree.
//   Rising:    the Rising shape command, the whole group shaped, balanced and stored.
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

#include "bench/BenchSupport.h"
#include "designer/frmMain/GridBalancing.h"
#include "designer/frmMain/MeasureValuesGrid.h"
#include "designer/frmMain/PercentShapes.h"
#include "designer/frmMain/SiblingBalancing.h"
#include "tests/support/ShareEditors.h"

namespace {

using namespace vantorell;
using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// n shares adding up to 100 %: even ones, the rest in the first.
std::vector<std::string> evenShares(int n) {
    std::vector<std::string> shares(static_cast<std::size_t>(n), std::to_string(1000000 / n));
    shares[0] = std::to_string(1000000 - 1000000 / n * (n - 1));
    return shares;
}

// The anchor: one pass reading every share of the grid.
void nulOnePass(const EditorState& editors) {
    benchmark::DoNotOptimize(intGetOtherBarsUsed(editors.sgdMeasureValues, 0));
}

void runAgainstPass(benchmark::State& state, test::ShareEditors& editors,
                    const std::function<void()>& subject) {
    double subjectTime = 0;
    double anchorTime = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        subject();
        const double t = seconds(start);
        state.SetIterationTime(t);
        subjectTime += t;
        start = Clock::now();
        nulOnePass(editors);
        anchorTime += seconds(start);
    }
    const auto rows = static_cast<double>(editors.categories.size());
    state.counters["ns_per_row"] =
        subjectTime / static_cast<double>(state.iterations()) / rows * 1e9;
    state.counters["passes"] = anchorTime > 0 ? subjectTime / anchorTime : 0;
}

// Row 1 of the grid changes by `change`, as the entry check does it.
void nulRowChange(EditorState& editors, std::int64_t change) {
    StringGrid& grid = editors.sgdMeasureValues;
    const std::int64_t old = intMeasureValuesPercentGet(grid, 1);
    grid.setCell(intMeasureValuesPercentColumn(grid), 1,
                 strGridBalanceOtherCellsTo100Percent(editors, old, 1, change));
}

int groupSize(const benchmark::State& state) {
    return static_cast<int>(bench::sized(state.range(0), 10));
}

void BM_OtherRows(benchmark::State& state) {
    test::ShareEditors editors(evenShares(groupSize(state)));
    runAgainstPass(state, editors, [&] {
        nulRowChange(editors, 100000);
        nulRowChange(editors, -100000);
    });
}

void BM_Drain(benchmark::State& state) {
    const int n = groupSize(state);
    test::ShareEditors editors(evenShares(n));
    runAgainstPass(state, editors, [&] {
        nulRowChange(editors, 1000000 - intMeasureValuesPercentGet(editors.sgdMeasureValues, 1));
        nulRowChange(editors, 1000000 / n - 1000000);
    });
}

void BM_SmallChange(benchmark::State& state) {
    const int n = groupSize(state);
    std::vector<std::string> shares(static_cast<std::size_t>(n), "100");
    shares.back() = "50";  // the only row whose own step (1) fits a change of 5
    shares.front() = std::to_string(1000000 - 100 * (n - 2) - 50);
    test::ShareEditors editors(shares);
    runAgainstPass(state, editors, [&] {
        nulRowChange(editors, 5);
        nulRowChange(editors, -5);
    });
}

void BM_Siblings(benchmark::State& state) {
    test::ShareEditors editors(evenShares(groupSize(state)));
    TreeNode& node = *editors.categories.front();
    runAgainstPass(state, editors, [&] {
        flgArrSiblingsBalanceTo100Percent(editors, node, false, 100000, 0);
        flgArrSiblingsBalanceTo100Percent(editors, node, false, -100000, 0);
    });
}

void BM_Rising(benchmark::State& state) {
    test::ShareEditors editors(evenShares(groupSize(state)));
    runAgainstPass(state, editors, [&] { tbnMeasureValuesRisingClick(editors); });
}

}  // namespace

BENCHMARK(BM_OtherRows)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Drain)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmallChange)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Siblings)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rising)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
