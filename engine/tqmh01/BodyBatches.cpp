#include "engine/tqmh01/BodyBatches.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/tqmh01/BlockLineDecoder.h"
#include "engine/tqmh01/BlockWalk.h"
#include "engine/tqmh01/BodyLines.h"
#include "engine/tqmh01/CipherRunError.h"
#include "platform/OrderedJobs.h"

namespace vantorell::engine {
namespace {

// A full body line as the cipher writes it: the blank, the characters, the line feed.
constexpr std::uint64_t kFullLineText = 1 + kBodyLineChars + 1;
// 128 KB of bytes a batch: large enough that handing it over costs nothing worth noting.
constexpr std::uint64_t kBatchLines = 2048;
// Below a few batches a second thread does not pay for its start.
constexpr std::uint64_t kLeastLength = 4 * kBatchLines * kBodyLineBytes;

// The body does not lie in the lines the cipher writes.
struct NotInLayout {};

// A batch made by a worker, waiting to be written.
struct Batch {
    std::vector<std::uint8_t> bytes;  // deciphered blocks, then undeciphered tail bytes
    std::array<std::uint8_t, kFeistelBlock> lastCipher{};  // of its last whole block
    unsigned check = 0;
};

std::uint64_t lineTextSize(std::uint64_t bytes) {
    return 1 + bodyCharsFor(bytes) + 1;
}

}  // namespace

bool BatchesPay(const CipherStages& stages, std::uint64_t length) {
    return stages.blocksStandAlone() && length >= kLeastLength;
}

std::optional<int> DecipherBodyInBatches(CipherStages& stages, SourceFile& source,
                                         std::uint64_t bodyStart, std::uint64_t length,
                                         AtomicFile& output) {
    const std::uint64_t lines = (length + kBodyLineBytes - 1) / kBodyLineBytes;
    const std::uint64_t wholeBytes = PlanBlocks(length).wholeBlocks * kFeistelBlock;
    const auto jobs = static_cast<int>((lines + kBatchLines - 1) / kBatchLines);
    const int threads = static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
    const int lookAhead = 2 * threads;
    const std::uint64_t lastLineBytes = length - (lines - 1) * kBodyLineBytes;
    const std::uint64_t bodyText = (lines - 1) * kFullLineText + lineTextSize(lastLineBytes);

    // Before the jobs, so that their threads are joined before these go.
    std::vector<Batch> made(static_cast<std::size_t>(lookAhead));
    std::vector<std::vector<std::uint8_t>> texts(static_cast<std::size_t>(threads));
    std::vector<std::vector<std::uint8_t>> ciphers(static_cast<std::size_t>(threads));

    // A job is made at most lookAhead jobs ahead of the one taken, so its slot is free.
    const auto make = [&](int job, int worker) {
        const std::uint64_t first = static_cast<std::uint64_t>(job) * kBatchLines;
        const std::uint64_t count = std::min(kBatchLines, lines - first);
        const std::uint64_t byteStart = first * kBodyLineBytes;
        const std::uint64_t byteEnd = std::min(length, (first + count) * kBodyLineBytes);
        const std::uint64_t textStart = first * kFullLineText;
        const std::uint64_t textEnd = std::min(bodyText, (first + count) * kFullLineText);

        std::vector<std::uint8_t>& text = texts[static_cast<std::size_t>(worker)];
        text.resize(static_cast<std::size_t>(textEnd - textStart));
        if (source.readAt(bodyStart + textStart, text.data(), text.size()) != text.size()) {
            throw NotInLayout{};
        }
        Batch& batch = made[static_cast<std::size_t>(job % lookAhead)];
        batch.bytes.resize(static_cast<std::size_t>(byteEnd - byteStart));
        batch.check = 0;
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::uint64_t bytes =
                std::min<std::uint64_t>(kBodyLineBytes, length - (first + i) * kBodyLineBytes);
            const auto* line = reinterpret_cast<const char*>(text.data() + i * kFullLineText);
            const std::size_t size = 1 + bodyCharsFor(bytes);
            if (line[size] != '\n' || std::memchr(line, '\n', size) != nullptr) {
                throw NotInLayout{};
            }
            try {
                batch.check ^= DecodeBodyLine(std::string_view(line, size), bytes, first + i + 1,
                                              batch.bytes.data() + i * kBodyLineBytes);
            } catch (const CipherRunError&) {
                throw NotInLayout{};
            }
        }
        // Each block is xored with the cipher block before it, kept in `cipher`.
        const std::uint64_t blocksEnd = std::min(byteEnd, wholeBytes);
        if (blocksEnd > byteStart) {
            const auto size = static_cast<std::size_t>(blocksEnd - byteStart);
            std::vector<std::uint8_t>& cipher = ciphers[static_cast<std::size_t>(worker)];
            cipher.assign(batch.bytes.begin(),
                          batch.bytes.begin() + static_cast<std::ptrdiff_t>(size));
            std::copy_n(cipher.end() - kFeistelBlock, kFeistelBlock, batch.lastCipher.begin());
            stages.unlayerBlocks(batch.bytes.data(), size / kFeistelBlock);
            for (std::size_t i = kFeistelBlock; i < size; ++i) {
                batch.bytes[i] ^= cipher[i - kFeistelBlock];
            }
        }
    };

    std::array<std::uint8_t, kFeistelBlock> chaining = stages.chaining();
    std::vector<std::uint8_t> tail;
    unsigned check = 0;
    const auto take = [&](int job) {
        Batch& batch = made[static_cast<std::size_t>(job % lookAhead)];
        const std::uint64_t byteStart =
            static_cast<std::uint64_t>(job) * kBatchLines * kBodyLineBytes;
        const std::size_t blockBytes = wholeBytes > byteStart
                                           ? static_cast<std::size_t>(std::min<std::uint64_t>(
                                                 wholeBytes - byteStart, batch.bytes.size()))
                                           : 0;
        if (blockBytes > 0) {
            for (std::size_t i = 0; i < kFeistelBlock; ++i) {
                batch.bytes[i] ^= chaining[i];
            }
            chaining = batch.lastCipher;
            output.write(
                std::string_view(reinterpret_cast<const char*>(batch.bytes.data()), blockBytes));
            // The commit waits for the disk: what is written goes there meanwhile.
            output.startWriteback();
        }
        tail.insert(tail.end(), batch.bytes.begin() + static_cast<std::ptrdiff_t>(blockBytes),
                    batch.bytes.end());
        check ^= batch.check;
    };

    try {
        OrderedJobs::run(jobs, threads, lookAhead, make, take);
    } catch (const NotInLayout&) {
        return std::nullopt;
    }
    if (!tail.empty()) {
        stages.setChaining(chaining.data());
        stages.tail(tail.data(), tail.size());
        output.write(std::string_view(reinterpret_cast<const char*>(tail.data()), tail.size()));
    }
    source.seek(bodyStart + bodyText);
    return static_cast<int>(check);
}

}  // namespace vantorell::engine
