// Line mode against raw reception of the same data in the same run.
// - Socket: 80-byte lines sent through a connected pair of the socket component on
//   127.0.0.1, received raw (64 KB reads) or in line mode (one event and read per line);
//   "raw_ratio" is line mode's throughput as a share of raw reception's.
// - Buffer: the same lines fed to the line buffer in pieces of 1 to 1460 bytes and split,
//   beside appending the same pieces to a plain string; "raw_ratio" as above. Two sizes
//   show that the cost per byte does not grow with the data, however small the pieces.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <string>

#include "bench/BenchSupport.h"
#include "bench/ComponentPair.h"
#include "bench/CopyAnchor.h"
#include "transport/WSocket/LineBuffer.h"
#include "transport/WSocket/WSocket.h"

namespace bench = vantorell::bench;
using namespace vantorell::transport;

namespace {

std::string lines(long long size) {
    std::string data;
    data.reserve(static_cast<std::size_t>(size));
    for (long long i = 0; static_cast<long long>(data.size()) + 80 <= size; ++i) {
        std::string line = "213-" + std::to_string(i) + " ";
        line.resize(78, 'x');
        data += line + "\r\n";
    }
    return data;
}

const std::string& socketPayload() {
    static const std::string data = lines(bench::sized(8LL << 20, 64LL << 10));
    return data;
}

// A sending component and a receiving TWSocket, connected.
class ReceivingPair : public bench::ComponentPair<TWSocket> {
public:
    explicit ReceivingPair(bool lineMode)
        : ComponentPair([lineMode](TWSocket& server) { server.SetLineMode(lineMode); }) {}
};

double rawSocketSeconds() {
    static const double seconds = [] {
        ReceivingPair pair(false);
        return bench::secondsPerCall([&] { pair.transfer(socketPayload()); });
    }();
    return seconds;
}

void runSocket(benchmark::State& state, bool lineMode) {
    ReceivingPair pair(lineMode);
    const double seconds = bench::timeTransfers(state, pair, socketPayload());
    if (seconds > 0) {
        state.counters["raw_ratio"] = rawSocketSeconds() / seconds;
    }
}

// Feeds data in pieces of `piece` bytes; with `split`, takes every complete line.
std::size_t feed(const std::string& data, std::size_t piece, bool split) {
    std::size_t taken = 0;
    if (!split) {
        std::string plain;
        for (std::size_t at = 0; at < data.size(); at += piece) {
            plain.append(data, at, piece);
        }
        return plain.size();
    }
    TLineBuffer buffer;
    char line[256];
    for (std::size_t at = 0; at < data.size(); at += piece) {
        const std::size_t size = std::min(piece, data.size() - at);
        buffer.ReadFrom(size, [&](char* p, int n) {
            std::memcpy(p, data.data() + at, static_cast<std::size_t>(n));
            return n;
        });
        while (const auto end = buffer.FindLineEnd("\r\n")) {
            taken += buffer.Take(line, *end + 2);
        }
    }
    return taken;
}

void runBuffer(benchmark::State& state) {
    const auto piece = static_cast<std::size_t>(state.range(0));
    const std::string data = lines(bench::sized(state.range(1) << 20, 16LL << 10));
    const double raw =
        bench::secondsPerCall([&] { benchmark::DoNotOptimize(feed(data, piece, false)); });
    const bench::Stopwatch loop;
    for (auto _ : state) {
        benchmark::DoNotOptimize(feed(data, piece, true));
    }
    const double seconds = loop.seconds() / static_cast<double>(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<long long>(data.size()));
    state.counters["raw_ratio"] = raw / seconds;
    state.counters["ns_per_byte"] = seconds * 1e9 / static_cast<double>(data.size());
}

}  // namespace

static void BM_SocketRaw(benchmark::State& state) {
    runSocket(state, false);
}
static void BM_SocketLineMode(benchmark::State& state) {
    runSocket(state, true);
}
static void BM_BufferLinesInPieces(benchmark::State& state) {
    runBuffer(state);
}

BENCHMARK(BM_SocketRaw)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SocketLineMode)->UseRealTime()->Unit(benchmark::kMillisecond);
// Arguments: piece size in bytes, data size in MB.
BENCHMARK(BM_BufferLinesInPieces)
    ->ArgsProduct({{1, 7, 1460}, {2, 8}})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return vantorell::bench::runWithApplication(argc, argv);
}
