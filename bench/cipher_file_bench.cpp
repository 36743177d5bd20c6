// Enciphering and deciphering whole files, beside a plain copy of the same file in the
// same run: "copies" says how many plain copies one cipher run costs.
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

#include "bench/BenchFolder.h"
#include "bench/BenchSupport.h"
#include "bench/CopyAnchor.h"
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

// A plain copy: the file read and written in the same chunks the cipher uses.
void plainCopy(const std::string& from, const std::string& to) {
    const int in = ::open(from.c_str(), O_RDONLY);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n <= 0 || ::write(out, buffer.data(), static_cast<std::size_t>(n)) != n) {
            break;
        }
    }
    ::close(in);
    ::close(out);
}

double plainCopySeconds(const std::string& file) {
    static std::map<std::string, double> measured;
    auto it = measured.find(file);
    if (it == measured.end()) {
        const std::string target = files().path("copy-anchor");
        it = measured.emplace(file, bench::secondsPerCall([&] { plainCopy(file, target); })).first;
    }
    return it->second;
}

// Argument 0 is the real size, argument 1 the size of a smoke run.
std::size_t fileSize(const benchmark::State& state) {
    return static_cast<std::size_t>(bench::sized(state.range(0), state.range(1)));
}

void report(benchmark::State& state, const bench::Stopwatch& loop, const std::string& file,
            std::size_t plainBytes) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * plainBytes));
    const double run = loop.seconds() / static_cast<double>(state.iterations());
    state.counters["copies"] = run / plainCopySeconds(file);
}

}  // namespace

static void BM_PlainFileCopy(benchmark::State& state) {
    const std::size_t size = fileSize(state);
    const std::string from = files().plain(size);
    const std::string to = files().path("copy");
    for (auto _ : state) {
        plainCopy(from, to);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

// Deciphering reads the enciphered file, so it is set against a plain copy of that file.
void runCipher(benchmark::State& state, bool encipher) {
    const std::size_t size = fileSize(state);
    const std::string from = encipher ? files().plain(size) : files().enciphered(size);
    const CipherRequest r = BenchFiles::request(from, files().path("cipher-out"), encipher);
    const bench::Stopwatch loop;
    for (auto _ : state) {
        if (!CipherFile(r).ok()) {
            state.SkipWithError("the cipher run failed");
            break;
        }
    }
    report(state, loop, from, size);
}

static void BM_EncipherFile(benchmark::State& state) {
    runCipher(state, true);
}
static void BM_DecipherFile(benchmark::State& state) {
    runCipher(state, false);
}

// 10 KB (stages A, B and C), 1 MB (A and C), 100 MB (A alone).
#define CIPHER_FILE_SIZES              \
    Args({10 << 10, 1 << 10})          \
        ->Args({1 << 20, 10 << 10})    \
        ->Args({100 << 20, 100 << 10}) \
        ->Unit(benchmark::kMillisecond)
BENCHMARK(BM_PlainFileCopy)->CIPHER_FILE_SIZES;
BENCHMARK(BM_EncipherFile)->CIPHER_FILE_SIZES;
BENCHMARK(BM_DecipherFile)->CIPHER_FILE_SIZES;

BENCHMARK_MAIN();
