// Removing nodes from the dimension and category tree, each against the plain removal of the
// same nodes from the same tree in the same run (no shares handed over). "removals" is the
// command's time over the anchor's: it stays level as the tree grows when the cost grows
// linearly.
//   Parent: a category with n children goes; its own siblings take its share once, while
//           the group of its children goes with it.
//   Member: one category of a group of n goes; the n - 1 others take its share.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "bench/BenchSupport.h"
#include "designer/frmMain/DimsCatsCommands.h"
#include "designer/frmMain/MeasuresEditor.h"
#include "designer/frmMain/WorkingCopy.h"

namespace {

using namespace vantorell;
using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

TreeNode* categoryAdd(EditorState& editors, TreeNode* parent, const std::string& name,
                      std::int32_t positive, std::int32_t negative) {
    TreeNode* node = editors.tvwDimsCats.addChild(parent, name);
    nulDimsCatsNodeDataCreate(*node, false, {});
    nulDimsCatsNodeExtDataCreate(*node, intMeasureRowsCount(editors.sgdMeasures), false);
    TMeasureValuesWorksetItem& item = *measureValueItem(*node, 0);
    item.intPercentage = positive;
    item.intNegPercentage = negative;
    return node;
}

// n children of `parent` with even shares, the rest in the first.
void evenChildren(EditorState& editors, TreeNode* parent, int n) {
    const std::int32_t even = 1000000 / n;
    for (int i = 0; i < n; ++i) {
        const std::int32_t share = i == 0 ? 1000000 - even * (n - 1) : even;
        categoryAdd(editors, parent, "C" + std::to_string(i), share, share);
    }
}

struct Tree {
    std::unique_ptr<EditorState> editors = std::make_unique<EditorState>();
    TreeNode* doomed = nullptr;
};

// One independent measure; a dimension whose category A, with n children, is to go.
Tree parentTree(int n) {
    Tree t;
    intMeasuresAddRow(*t.editors, false);
    TreeNode* dimension = t.editors->tvwDimsCats.add(nullptr, "D");
    nulDimsCatsNodeDataCreate(*dimension, false, {});
    t.doomed = categoryAdd(*t.editors, dimension, "A", 600000, 400000);
    categoryAdd(*t.editors, dimension, "B", 400000, 600000);
    categoryAdd(*t.editors, dimension, "C", 0, 0);
    evenChildren(*t.editors, t.doomed, n);
    return t;
}

// One independent measure; a dimension with n categories, the middle one to go.
Tree memberTree(int n) {
    Tree t;
    intMeasuresAddRow(*t.editors, false);
    TreeNode* dimension = t.editors->tvwDimsCats.add(nullptr, "D");
    nulDimsCatsNodeDataCreate(*dimension, false, {});
    evenChildren(*t.editors, dimension, n);
    t.doomed = dimension->item(n / 2);
    return t;
}

void runAgainstRemoval(benchmark::State& state, Tree (*make)(int)) {
    const int n = static_cast<int>(vantorell::bench::sized(state.range(0), 10));
    double subjectTime = 0;
    double anchorTime = 0;
    for (auto _ : state) {
        Tree subject = make(n);
        subject.editors->tvwDimsCats.setSelected(subject.doomed);
        auto start = Clock::now();
        benchmark::DoNotOptimize(fneDimsCatsDeleteNodes(*subject.editors));
        const double t = seconds(start);
        state.SetIterationTime(t);
        subjectTime += t;

        Tree anchor = make(n);
        start = Clock::now();
        anchor.editors->tvwDimsCats.deleteNode(anchor.doomed);
        anchorTime += seconds(start);
    }
    state.counters["removals"] = anchorTime > 0 ? subjectTime / anchorTime : 0;
}

void BM_Parent(benchmark::State& state) {
    runAgainstRemoval(state, parentTree);
}

void BM_Member(benchmark::State& state) {
    runAgainstRemoval(state, memberTree);
}

}  // namespace

BENCHMARK(BM_Parent)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(
    benchmark::kMillisecond);
BENCHMARK(BM_Member)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(
    benchmark::kMillisecond);
BENCHMARK_MAIN();
