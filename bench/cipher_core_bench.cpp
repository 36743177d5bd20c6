// The stages of the file cipher and the key derivation, each beside a memory copy of the
// same buffer: "copies" says how many copies of the buffer one pass of the stage costs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/CopyAnchor.h"
#include "engine/tqmh01/BlockLineEncoder.h"
#include "engine/tqmh01/ByteStep.h"
#include "engine/tqmh01/CipherSchedule.h"
#include "engine/tqmh01/FeistelLayer.h"
#include "engine/tqmh01/KeyDerivation.h"
#include "engine/tqmh01/KeyStream.h"
#include "engine/tqmh01/LayerChain.h"
#include "engine/tqmh01/TableBuilder.h"

using namespace vantorell::engine;
namespace bench = vantorell::bench;

namespace {

std::size_t bufferSize() {
    return static_cast<std::size_t>(bench::sized(8 << 20, 4096));
}

std::vector<std::uint8_t> buffer() {
    std::vector<std::uint8_t> bytes(bufferSize());
    std::uint32_t x = 12345;
    for (auto& b : bytes) {
        x = x * 1103515245U + 12345U;
        b = static_cast<std::uint8_t>(x >> 24);
    }
    return bytes;
}

double secondsPerIteration(const benchmark::State& state, const bench::Stopwatch& loop) {
    return loop.seconds() / static_cast<double>(state.iterations());
}

void report(benchmark::State& state, const bench::Stopwatch& loop, std::size_t bytes) {
    const double pass = secondsPerIteration(state, loop);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["copies"] = pass / bench::memoryCopySeconds(bytes);
}

CipherSchedule benchSchedule(CipherDirection direction) {
    CipherSchedule schedule;
    ExpandCipherKey(CipherKey{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, schedule,
                    direction);
    return schedule;
}

FeistelLayer benchLayer(CipherDirection direction) {
    return FeistelLayer(benchSchedule(direction));
}

KeyDerivationInput derivationInput() {
    KeyDerivationInput in;
    in.firstKey = "secret";
    in.secondKey = "second-key";
    in.secondKeyGiven = true;
    in.thirdKey = "11.06.2024 10:00:00";
    in.fileLength = 1000;
    in.stages = {true, true, true, true};
    return in;
}

}  // namespace

static void BM_MemoryCopy(benchmark::State& state) {
    std::vector<std::uint8_t> from = buffer();
    std::vector<std::uint8_t> to(from.size());
    const bench::Stopwatch loop;
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * from.size()));
}
BENCHMARK(BM_MemoryCopy);

static void BM_FeistelLayers(benchmark::State& state) {
    const int layers = static_cast<int>(state.range(0));
    std::vector<std::uint8_t> bytes = buffer();
    const FeistelLayer layer = benchLayer(CipherDirection::Encipher);
    const bench::Stopwatch loop;
    for (auto _ : state) {
        for (std::size_t i = 0; i < bytes.size(); i += kFeistelBlock) {
            for (int l = 0; l < layers; ++l) {
                layer.apply(bytes.data() + i);
            }
        }
        benchmark::ClobberMemory();
    }
    report(state, loop, bytes.size());
}
// Stage A alone, and stages A and B (three layers).
BENCHMARK(BM_FeistelLayers)->Arg(1)->Arg(3);

// Enciphering's chain of blocks through the main layer, as files take it: in runs of 4096
// blocks, each block xored with the one before it; beside it the same over the bytes.
static void BM_LayerChain(benchmark::State& state) {
    constexpr std::size_t kRun = 4096;
    std::vector<std::uint8_t> bytes = buffer();
    const CipherSchedule schedule = benchSchedule(CipherDirection::Encipher);
    const LayerChain chain(schedule);
    std::array<std::uint8_t, kFeistelBlock> chaining{};
    const bench::Stopwatch loop;
    for (auto _ : state) {
        const std::size_t blocks = bytes.size() / kFeistelBlock;
        for (std::size_t b = 0; b < blocks; b += kRun) {
            chain.encipher(bytes.data() + b * kFeistelBlock, std::min(kRun, blocks - b), chaining);
        }
        benchmark::ClobberMemory();
    }
    report(state, loop, bytes.size());
}
BENCHMARK(BM_LayerChain);

static void BM_ChainedFeistelLayer(benchmark::State& state) {
    std::vector<std::uint8_t> bytes = buffer();
    const FeistelLayer layer = benchLayer(CipherDirection::Encipher);
    std::array<std::uint8_t, kFeistelBlock> chaining{};
    const bench::Stopwatch loop;
    for (auto _ : state) {
        for (std::size_t i = 0; i < bytes.size(); i += kFeistelBlock) {
            std::uint8_t* block = bytes.data() + i;
            for (std::size_t k = 0; k < kFeistelBlock; ++k) {
                block[k] ^= chaining[k];
            }
            layer.apply(block);
            std::copy(block, block + kFeistelBlock, chaining.begin());
        }
        benchmark::ClobberMemory();
    }
    report(state, loop, bytes.size());
}
BENCHMARK(BM_ChainedFeistelLayer);

// The main layer over blocks that do not depend on each other, as deciphering takes them.
static void BM_FeistelLayerApart(benchmark::State& state) {
    std::vector<std::uint8_t> bytes = buffer();
    const FeistelLayer layer = benchLayer(CipherDirection::Decipher);
    const bench::Stopwatch loop;
    for (auto _ : state) {
        layer.applyBlocks(bytes.data(), bytes.size() / kFeistelBlock);
        benchmark::ClobberMemory();
    }
    report(state, loop, bytes.size());
}
BENCHMARK(BM_FeistelLayerApart);

// The same through the halves' images, as deciphering with the main layer alone takes it.
static void BM_LayerChainApart(benchmark::State& state) {
    std::vector<std::uint8_t> bytes = buffer();
    const LayerChain layer(benchSchedule(CipherDirection::Decipher));
    const bench::Stopwatch loop;
    for (auto _ : state) {
        layer.applyBlocks(bytes.data(), bytes.size() / kFeistelBlock);
        benchmark::ClobberMemory();
    }
    report(state, loop, bytes.size());
}
BENCHMARK(BM_LayerChainApart);

static void BM_ByteStep(benchmark::State& state) {
    std::vector<std::uint8_t> bytes = buffer();
    ByteStep step(BuildByteStepTables("first text", "second", CipherDirection::Encipher),
                  CipherDirection::Encipher);
    const bench::Stopwatch loop;
    for (auto _ : state) {
        for (auto& b : bytes) {
            b = step.apply(b);
        }
        benchmark::ClobberMemory();
    }
    report(state, loop, bytes.size());
}
BENCHMARK(BM_ByteStep);

static void BM_KeyStream(benchmark::State& state) {
    std::vector<std::uint8_t> bytes = buffer();
    KeyStream stream;
    stream.next(424242);
    stream.next(-1452800000);
    stream.next(-1);
    const bench::Stopwatch loop;
    for (auto _ : state) {
        for (auto& b : bytes) {
            b ^= stream.draw();
        }
        benchmark::ClobberMemory();
    }
    report(state, loop, bytes.size());
}
BENCHMARK(BM_KeyStream);

static void BM_BodyLines(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = buffer();
    std::string text;
    text.reserve(bytes.size() * 82 / 64 + 100);
    const bench::Stopwatch loop;
    for (auto _ : state) {
        text.clear();
        BlockLineEncoder encoder(text);
        encoder.EncodeBlockLine(bytes.data(), bytes.size());
        encoder.FlushBlockLine();
        benchmark::DoNotOptimize(text.data());
    }
    report(state, loop, bytes.size());
}
BENCHMARK(BM_BodyLines);

// One derivation of all four stages' material; "copy_bytes" is how much a memory copy
// moves in the time of one derivation.
static void BM_KeyDerivation(benchmark::State& state) {
    KeyDerivationInput in = derivationInput();
    if (state.range(0) != 0) {
        // A key number of 80 words: every key-number branch.
        in.keyNumber = longNumberFromText(std::string(158, 'W') + "01");
    }
    const bench::Stopwatch loop;
    for (auto _ : state) {
        CipherKeyMaterial m = DeriveCipherKeys(in);
        benchmark::DoNotOptimize(&m);
    }
    const std::size_t size = bufferSize();
    state.counters["copy_bytes"] = secondsPerIteration(state, loop) * static_cast<double>(size) /
                                   bench::memoryCopySeconds(size);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_KeyDerivation)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

static void BM_KeyBlockPower(benchmark::State& state) {
    const LongNumber modulus = longNumberFromText("3" + std::string(159, 'Q'));
    const LongNumber base = longNumberFromText(std::string(150, 'a'));
    const LongNumber exponent = longNumberFromText(std::string(10, 'N'));  // 60 bits
    const bench::Stopwatch loop;
    for (auto _ : state) {
        LongNumber r = modularPower(base, exponent, modulus);
        benchmark::DoNotOptimize(&r);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_KeyBlockPower)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
