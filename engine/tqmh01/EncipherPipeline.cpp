#include "engine/tqmh01/EncipherPipeline.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/tqmh01/BlockWalk.h"
#include "platform/OrderedJobs.h"

namespace vantorell::engine {
namespace {

using BlockImage = LayerChain::BlockImage;
using PImage = LayerChain::PImage;

constexpr std::uint64_t kJobBlocks = kPipelineJobBlocks;
constexpr int kLookAhead = 4;
// Below a few jobs the threads do not pay for their start.
constexpr std::uint64_t kLeastLength = 4 * kJobBlocks * kFeistelBlock;

std::string_view bytesOf(const std::uint8_t* bytes, std::size_t count) {
    return {reinterpret_cast<const char*>(bytes), count};
}

}  // namespace

bool PipelinePays(const CipherStages& stages, std::uint64_t length) {
    return stages.imageChain() != nullptr && length >= kLeastLength;
}

void EncipherInPipeline(CipherStages& stages, const SourceFile& source, std::uint64_t length,
                        PieceWorker& worker, const PieceWorker::Consume& encode) {
    const LayerChain& chain = *stages.imageChain();
    const BlockPlan plan = PlanBlocks(length);
    const auto jobs = static_cast<int>((plan.wholeBlocks + kJobBlocks - 1) / kJobBlocks);
    const auto jobBlocks = [&](int job) {
        const std::uint64_t first = static_cast<std::uint64_t>(job) * kJobBlocks;
        return static_cast<std::size_t>(std::min(kJobBlocks, plan.wholeBlocks - first));
    };
    // One thread makes images several times as fast as the chain takes them.
    const int threads = std::thread::hardware_concurrency() >= 2 ? 1 : 0;

    // Before the jobs, so that their threads are joined before these go.
    std::vector<std::vector<BlockImage>> made(kLookAhead, std::vector<BlockImage>(kJobBlocks));
    std::vector<std::vector<std::uint8_t>> read(
        static_cast<std::size_t>(std::max(threads, 1)),
        std::vector<std::uint8_t>(kJobBlocks * kFeistelBlock));
    const auto make = [&](int job, int thread) {
        std::vector<std::uint8_t>& bytes = read[static_cast<std::size_t>(thread)];
        const std::size_t count = jobBlocks(job);
        source.readExactAt(static_cast<std::uint64_t>(job) * kJobBlocks * kFeistelBlock,
                           bytes.data(), count * kFeistelBlock);
        chain.toImages(bytes.data(), count, made[static_cast<std::size_t>(job % kLookAhead)].data());
    };

    // The output's worker gets pieces of enciphered blocks' P images and encodes the
    // blocks. It may still be at one when this returns by an exception, so it keeps what it
    // uses.
    const PieceWorker::Consume decode = [&chain, encode](std::string_view piece) {
        const auto* images = reinterpret_cast<const PImage*>(piece.data());
        const std::size_t count = piece.size() / sizeof(PImage);
        std::vector<std::uint8_t> blocks(count * kFeistelBlock);
        chain.fromImages(images, count, blocks.data());
        encode(bytesOf(blocks.data(), blocks.size()));
    };
    std::vector<char> piece(kPipelinePieceBlocks * sizeof(PImage));
    std::size_t used = 0;  // blocks in the piece
    BlockImage chaining;
    chain.toImages(stages.chaining().data(), 1, &chaining);
    const auto take = [&](int job) {
        const BlockImage* in = made[static_cast<std::size_t>(job % kLookAhead)].data();
        for (std::size_t left = jobBlocks(job); left > 0;) {
            const std::size_t count = std::min(left, kPipelinePieceBlocks - used);
            auto* out = reinterpret_cast<PImage*>(piece.data()) + used;
            chain.encipherImages(in, out, count, chaining);
            in += count;
            left -= count;
            used += count;
            if (used == kPipelinePieceBlocks) {
                worker.handOver(piece, used * sizeof(PImage), decode);
                used = 0;
            }
        }
    };
    OrderedJobs::run(jobs, threads, kLookAhead, make, take);
    if (used > 0) {
        worker.handOver(piece, used * sizeof(PImage), decode);
    }

    std::array<std::uint8_t, kFeistelBlock> last;
    const PImage lastP = chaining.pImage();
    chain.fromImages(&lastP, 1, last.data());
    stages.setChaining(last.data());
    if (plan.tailBytes > 0) {
        auto* tail = reinterpret_cast<std::uint8_t*>(piece.data());
        source.readExactAt(plan.wholeBlocks * kFeistelBlock, tail, plan.tailBytes);
        stages.tail(tail, plan.tailBytes);
        worker.handOver(piece, plan.tailBytes, encode);
    }
    worker.finish();
}

}  // namespace vantorell::engine
