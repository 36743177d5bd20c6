#include "engine/tqmh01/BlockWalk.h"

#include <algorithm>
#include <vector>

namespace vantorell::engine {
namespace {

constexpr std::uint64_t kChunkBlocks = 4096;

}  // namespace

BlockPlan PlanBlocks(std::uint64_t length) {
    const std::uint64_t n = length / kFeistelBlock;
    const auto r = static_cast<std::size_t>(length % kFeistelBlock);
    if (r == 0) {
        return {n, 0};
    }
    if (n == 0) {
        return {0, r};
    }
    return {n - 1, kFeistelBlock + r};
}

void WalkBlocks(CipherStages& stages, std::uint64_t length, const BlockReader& read,
                const BlockWriter& write) {
    const BlockPlan plan = PlanBlocks(length);
    std::vector<std::uint8_t> chunk(kChunkBlocks * kFeistelBlock);
    for (std::uint64_t left = plan.wholeBlocks; left > 0;) {
        const std::uint64_t blocks = std::min(left, kChunkBlocks);
        const auto bytes = static_cast<std::size_t>(blocks * kFeistelBlock);
        read(chunk.data(), bytes);
        stages.blocks(chunk.data(), static_cast<std::size_t>(blocks));
        write(chunk.data(), bytes);
        left -= blocks;
    }
    if (plan.tailBytes > 0) {
        read(chunk.data(), plan.tailBytes);
        stages.tail(chunk.data(), plan.tailBytes);
        write(chunk.data(), plan.tailBytes);
    }
}

}  // namespace vantorell::engine
