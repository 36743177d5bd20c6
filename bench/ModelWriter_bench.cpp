// The model writer on generated models of 10 measures, as a plain file and as the change
// digest alone, against its anchor: writing the same bytes with one buffered write over the
// same file, through the same kind of temporary file and rename as the writer. "vs_one_write"
// is the anchor's time over the writer's (1 = as fast).
//
// Two models of each size: "reader_model" is the model file of the reader's benchmark as the
// reader gives it (shares in millionths, ratios of 16 digits in the file), the model the
// writer's speed aim is set on; "random_arrays" are random arrays whose every leaf value and
// ratio is a random double of full precision, the slowest kind of number to write.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <openssl/evp.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

#include "bench/BenchFolder.h"
#include "bench/BenchSupport.h"
#include "bench/GeneratedArrays.h"
#include "bench/GeneratedModel.h"
#include "designer/rtnReaderWriter/ModelReader.h"
#include "designer/rtnReaderWriter/ModelWriter.h"
#include "platform/FileSystem.h"

namespace {

using namespace vantorell;
using Clock = std::chrono::steady_clock;

constexpr int kPoints = 100000;

// Puts `path` on the disk, so that the writer and the anchor each replace a file whose bytes
// are written out, and neither pays for what the other left pending. The benchmark stops
// when it cannot.
void settle(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0 || ::fdatasync(fd) != 0) {
        throw std::runtime_error("cannot put " + path + " on the disk");
    }
    ::close(fd);
}

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

using ModelSource = const ModelArrays& (*)(int categories);

// The model of the reader's benchmark, read once per size and kept for the run.
const ModelArrays& readerModel(int categories) {
    static std::map<int, ModelArrays> models;
    auto it = models.find(categories);
    if (it == models.end()) {
        bench::BenchFolder folder;
        const std::string file = folder.file("reader.vtm");
        writeFileAtomically(file, bench::GeneratedModel(categories).text());
        ModelArrays model;
        std::int32_t points = 0;
        if (!flgReadFile(file, points, model)) {
            throw std::runtime_error("the reader's benchmark model did not read");
        }
        it = models.emplace(categories, std::move(model)).first;
    }
    return it->second;
}

void runAgainstOneWrite(benchmark::State& state, ModelSource source, bool writeToFile) {
    const auto categories = static_cast<int>(state.range(0));
    ModelArrays model = source(categories);
    bench::BenchFolder folder;
    const std::string target = folder.path() + "model.vtm";
    std::string digest;
    flgWriteFile(folder.path(), target, "", "", 0, digest, true, true, true, model, kPoints);
    const std::string bytes = readWholeFile(target);

    double subject = 0;
    double anchor = 0;
    for (auto _ : state) {
        settle(target);
        auto start = Clock::now();
        const bool ok = flgWriteFile(folder.path(), target, "", "", 0, digest, true, writeToFile,
                                     true, model, kPoints);
        const double t = seconds(start);
        state.SetIterationTime(t);
        subject += t;
        if (!ok) {
            state.SkipWithError("the writer failed");
            break;
        }
        settle(target);
        start = Clock::now();
        writeFileAtomically(target, bytes, 0644);
        anchor += seconds(start);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
    state.counters["ns_per_category"] =
        subject / static_cast<double>(state.iterations()) / categories * 1e9;
    state.counters["anchor_ms"] = anchor / static_cast<double>(state.iterations()) * 1e3;
    state.counters["vs_one_write"] = anchor / subject;
}

void BM_WriteModelFile(benchmark::State& state, ModelSource source) {
    runAgainstOneWrite(state, source, true);
}
void BM_ChangeDigestOnly(benchmark::State& state, ModelSource source) {
    runAgainstOneWrite(state, source, false);
}

// Reference, not a subject: SHA-256 of the file's bytes in one piece, by the same libcrypto
// as the change digest: the least any digest of the records can cost.
void BM_Sha256OfTheFileBytes(benchmark::State& state, ModelSource source) {
    ModelArrays model = source(static_cast<int>(state.range(0)));
    bench::BenchFolder folder;
    std::string digest;
    flgWriteFile(folder.path(), folder.path() + "model.vtm", "", "", 0, digest, true, true, true,
                 model, kPoints);
    const std::string bytes = readWholeFile(folder.path() + "model.vtm");
    for (auto _ : state) {
        const auto start = Clock::now();
        unsigned char hash[EVP_MAX_MD_SIZE];
        unsigned int size = 0;
        if (EVP_Digest(bytes.data(), bytes.size(), hash, &size, EVP_sha256(), nullptr) != 1) {
            state.SkipWithError("SHA-256 failed");
            break;
        }
        benchmark::DoNotOptimize(hash);
        state.SetIterationTime(seconds(start));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

}  // namespace

BENCHMARK_CAPTURE(BM_WriteModelFile, reader_model, &readerModel)->Apply(bench::generatedSizes);
BENCHMARK_CAPTURE(BM_WriteModelFile, random_arrays, &bench::generatedArrays)
    ->Apply(bench::generatedSizes);
BENCHMARK_CAPTURE(BM_ChangeDigestOnly, reader_model, &readerModel)->Apply(bench::generatedSizes);
BENCHMARK_CAPTURE(BM_ChangeDigestOnly, random_arrays, &bench::generatedArrays)
    ->Apply(bench::generatedSizes);
BENCHMARK_CAPTURE(BM_Sha256OfTheFileBytes, reader_model, &readerModel)
    ->Apply(bench::generatedSizes);
BENCHMARK_CAPTURE(BM_Sha256OfTheFileBytes, random_arrays, &bench::generatedArrays)
    ->Apply(bench::generatedSizes);

BENCHMARK_MAIN();
