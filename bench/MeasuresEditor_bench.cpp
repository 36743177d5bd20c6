// Adding and removing a measure, against the plain growing or shrinking of every node's
// working array by one element on the same tree in the same run. The tree is one dimension
// whose n categories form one sibling group, where the new measure's defaults must look at
// the group's totals. "ratio" is the command's time over the anchor's: it stays level as the
// group grows when the cost grows linearly.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "bench/BenchSupport.h"
#include "designer/frmMain/MeasuresEditor.h"
#include "designer/frmMain/WorkingCopy.h"

namespace {

using namespace vantorell;
using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Two measures and one dimension with n categories.
std::unique_ptr<EditorState> group(int n) {
    auto editors = std::make_unique<EditorState>();
    intMeasuresAddRow(*editors, false);
    intMeasuresAddRow(*editors, false);
    NodeTree& tree = editors->tvwDimsCats;
    TreeNode* dimension = tree.add(nullptr, "D");
    nulDimsCatsNodeDataCreate(*dimension, false, {});
    nulDimsCatsNodeExtDataCreate(*dimension, intMeasureRowsCount(editors->sgdMeasures), false);
    for (int i = 0; i < n; ++i) {
        TreeNode* node = tree.addChild(dimension, "C" + std::to_string(i));
        nulDimsCatsNodeDataCreate(*node, false, {});
        nulDimsCatsNodeExtDataCreate(*node, intMeasureRowsCount(editors->sgdMeasures), false);
    }
    return editors;
}

// Every node's array grown (or shrunk) by one element at its front.
void anchor(EditorState& editors, bool grow) {
    for (TreeNode* n = editors.tvwDimsCats.getFirstNode(); n != nullptr; n = n->getNext()) {
        TDimsCatsData* data = nodeData(*n);
        if (auto* values = data->measureValues()) {
            grow ? void(values->insert(values->begin(), TMeasureValuesWorksetItem{}))
                 : void(values->erase(values->begin()));
        } else if (auto* irregularities = data->irregularities()) {
            grow ? void(irregularities->insert(irregularities->begin(), {}))
                 : void(irregularities->erase(irregularities->begin()));
        }
    }
}

void run(benchmark::State& state, bool add) {
    const int n = static_cast<int>(vantorell::bench::sized(state.range(0), 10));
    double subjectTime = 0;
    double anchorTime = 0;
    for (auto _ : state) {
        std::unique_ptr<EditorState> subject = group(n);
        subject->sgdMeasures.setCurrentCell(0, 1);
        auto start = Clock::now();
        if (add) {
            benchmark::DoNotOptimize(intMeasuresInsertRow(*subject, 1));
        } else {
            nulMeasuresDeleteRow(*subject, 1);
        }
        const double t = seconds(start);
        state.SetIterationTime(t);
        subjectTime += t;

        std::unique_ptr<EditorState> plain = group(n);
        start = Clock::now();
        anchor(*plain, add);
        anchorTime += seconds(start);
    }
    state.counters["ratio"] = anchorTime > 0 ? subjectTime / anchorTime : 0;
}

void BM_Insert(benchmark::State& state) {
    run(state, true);
}

void BM_Remove(benchmark::State& state) {
    run(state, false);
}

}  // namespace

BENCHMARK(BM_Insert)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(
    benchmark::kMillisecond);
BENCHMARK(BM_Remove)->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(
    benchmark::kMillisecond);
BENCHMARK_MAIN();
