// Enciphering and deciphering whole files, in turns with /bin/cp of the same file (the
// enciphered one when deciphering) in the same run: "copies" says how many cp runs one
// cipher run costs, of the medians.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/AnchorProgram.h"
#include "bench/BenchFolder.h"
#include "bench/BenchSupport.h"
#include "bench/Interleaved.h"
#include "engine/tqmh01/CipherRequest.h"

using namespace vantorell::engine;
namespace bench = vantorell::bench;

namespace {

// A folder of plain and enciphered files, one pair per size, removed at exit.
class BenchFiles {
public:
    std::string path(const std::string& name) const { return folder_.file(name); }

    // The plain file of `size` bytes, made on first use.
    std::string plain(std::size_t size) {
        const std::string p = path("plain-" + std::to_string(size));
        if (!std::filesystem::exists(p)) {
            std::vector<char> bytes(size);
            std::uint32_t x = static_cast<std::uint32_t>(size);
            for (char& c : bytes) {
                x = x * 1103515245U + 12345U;
                c = static_cast<char>(x >> 24);
            }
            std::ofstream(p, std::ios::binary)
                .write(bytes.data(), static_cast<std::streamsize>(size));
        }
        return p;
    }

    // The enciphered form of plain(size), made on first use.
    std::string enciphered(std::size_t size) {
        const std::string p = path("enc-" + std::to_string(size));
        if (!std::filesystem::exists(p) && !CipherFile(request(plain(size), p, true)).ok()) {
            throw std::runtime_error("cannot encipher the benchmark file");
        }
        return p;
    }

    static CipherRequest request(const std::string& from, const std::string& to, bool encipher) {
        CipherRequest r;
        r.sourcePath = from;
        r.outputPath = to;
        r.direction = encipher ? CipherDirection::Encipher : CipherDirection::Decipher;
        r.firstKey = "secret";
        r.secondKey = "second key";
        r.secondKeyGiven = true;
        r.thirdKey = "11.06.2024 10:00:00";
        return r;
    }

private:
    bench::BenchFolder folder_;
};

BenchFiles& files() {
    static BenchFiles instance;
    return instance;
}

// Argument 0 is the real size, argument 1 the size of a smoke run.
std::size_t fileSize(const benchmark::State& state) {
    return static_cast<std::size_t>(bench::sized(state.range(0), state.range(1)));
}

// Deciphering reads the enciphered file, so cp copies that one.
void runCipher(benchmark::State& state, bool encipher) {
    const std::size_t size = fileSize(state);
    const std::string from = encipher ? files().plain(size) : files().enciphered(size);
    const CipherRequest r = BenchFiles::request(from, files().path("cipher-out"), encipher);
    const std::vector<std::string> cp = {"/bin/cp", from, files().path("copy")};
    bench::InterleavedTimes times;
    if (bench::runInterleaved(
            state, [&] { return CipherFile(r).ok(); }, [&] { return bench::runProgram(cp); },
            times)) {
        const double ours = bench::median(times.ours);
        const double cp = bench::median(times.anchor);
        state.SetBytesProcessed(state.iterations() * static_cast<long long>(size));
        state.counters["ms"] = ours * 1e3;
        state.counters["cp_ms"] = cp * 1e3;
        state.counters["copies"] = ours / cp;
    }
}

}  // namespace

static void BM_EncipherFile(benchmark::State& state) {
    runCipher(state, true);
}
static void BM_DecipherFile(benchmark::State& state) {
    runCipher(state, false);
}

// 10 KB (stages A, B and C), 1 MB (A and C), 100 MB (A alone); five turns each.
#define CIPHER_FILE_SIZES              \
    Args({10 << 10, 1 << 10})          \
        ->Args({1 << 20, 10 << 10})    \
        ->Args({100 << 20, 100 << 10}) \
        ->UseManualTime()              \
        ->Iterations(5)                \
        ->Unit(benchmark::kMillisecond)
BENCHMARK(BM_EncipherFile)->CIPHER_FILE_SIZES;
BENCHMARK(BM_DecipherFile)->CIPHER_FILE_SIZES;

BENCHMARK_MAIN();
