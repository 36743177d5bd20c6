#pragma once
// The walk over a file in 16-byte blocks with its tail.

#include <cstddef>
#include <cstdint>
#include <functional>

#include "engine/tqmh01/CipherStages.h"

namespace vantorell::engine {

struct BlockPlan {
    std::uint64_t wholeBlocks = 0;
    std::size_t tailBytes = 0;  // 0, 1..15 (a file shorter than a block) or 17..31
};

// A length of 16n + r: n whole blocks when r is 0, else n - 1 whole blocks and a tail of
// 16 + r bytes (r bytes when n is 0).
BlockPlan PlanBlocks(std::uint64_t length);

using BlockReader = std::function<void(std::uint8_t* bytes, std::size_t count)>;
using BlockWriter = std::function<void(const std::uint8_t* bytes, std::size_t count)>;

// Runs `length` bytes from `read` through the stages to `write`, in chunks of whole blocks.
void WalkBlocks(CipherStages& stages, std::uint64_t length, const BlockReader& read,
                const BlockWriter& write);

}  // namespace vantorell::engine
