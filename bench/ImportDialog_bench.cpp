// File Import of a generated model of 10 measures over four dimensions into a current model
// of the same shape, so that every dimension clashes and gets proposals: the import dialog
// reads the file and fills its grids, Ok takes the choices (every measure row assigned the
// imported measure of its name), and the working copy takes the merge. The anchor, in the
// same run, is File Open of the same file: the read and the plain conversion into the
// editors. "vs_open" is the anchor's time over the import's; "ns_per_category" staying level
// from 10,000 to 100,000 categories shows linear growth.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/BenchFolder.h"
#include "bench/GeneratedArrays.h"
#include "designer/frmImpMeas/ImportDialogState.h"
#include "designer/frmMain/ArraysConversion.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/rtnReaderWriter/ModelWriter.h"

namespace {

using namespace vantorell;
using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

bool internalized(EditorState& editors, ModelArrays model) {
    std::string checksum;
    return nulInternalizeReaderWriterArrays(editors, model, checksum, {}, {}, false, "", "");
}

void BM_ImportAgainstOpen(benchmark::State& state) {
    const auto categories = static_cast<int>(state.range(0));
    const ModelArrays& model = bench::generatedArrays(categories);
    bench::BenchFolder folder;
    const std::string file = folder.file("import.vtm");
    {
        ModelArrays written = model;
        std::string digest;
        if (!flgWriteFile(folder.path(), file, "", "", 0, digest, false, true, true, written, 0)) {
            state.SkipWithError("the generated model was not written");
            return;
        }
    }
    EditorState current;
    current.strProgramFolder = folder.path();
    EditorState opened;
    ImportDialogState dialog(current);
    dialog.strImportFile = file;

    double importTime = 0;
    double openTime = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const bool ready = internalized(current, model);
        state.ResumeTiming();
        auto start = Clock::now();
        bool ok = ready && dialog.FormShow();
        if (ok) {
            StringGrid& measures = dialog.sgdMeasuresImport;
            for (int r = measures.fixedRows(); r < measures.fixedRows() + measures.dataRowCount();
                 ++r) {
                measures.setCell(kImportMeasure, r, measures.cell(kTargetMeasure, r));
            }
            ok = dialog.btnOkClick();
        }
        if (ok) {
            ImportDialogResult result = dialog.result();
            std::string discarded;
            ok = nulInternalizeReaderWriterArrays(current, result.model, discarded, result.measures,
                                                  result.dimensions, true, "", "");
        }
        const double t = seconds(start);
        state.SetIterationTime(t);
        importTime += t;
        if (!ok || current.tvwDimsCats.count() != 2 * (categories + 4)) {
            state.SkipWithError("the import did not complete");
            break;
        }

        start = Clock::now();
        ModelArrays read;
        std::int32_t points = 0;
        ok = flgReadFile(file, points, read) && internalized(opened, std::move(read));
        openTime += seconds(start);
        if (!ok) {
            state.SkipWithError("the open did not complete");
            break;
        }
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["ns_per_category"] = importTime / n / categories * 1e9;
    state.counters["open_ms"] = openTime / n * 1e3;
    state.counters["vs_open"] = openTime / importTime;
}

}  // namespace

BENCHMARK(BM_ImportAgainstOpen)->Apply(bench::generatedSizes);

BENCHMARK_MAIN();
