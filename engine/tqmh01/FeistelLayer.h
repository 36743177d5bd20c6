#pragma once
// One keyed Feistel layer over 16-byte blocks: 16 rounds, left half bytes 0..7, right half
// bytes 8..15. The schedule is turned into lookups once, when the layer is prepared.

#include <cstddef>
#include <cstdint>

#include "engine/tqmh01/CipherSchedule.h"

namespace vantorell::engine {

class FeistelLayer {
public:
    FeistelLayer() = default;
    explicit FeistelLayer(const CipherSchedule& schedule) { prepare(schedule); }

    void prepare(const CipherSchedule& schedule);

    // Enciphers the block in place with an Encipher schedule, deciphers with a Decipher one.
    void apply(std::uint8_t* block) const;
    // The same for `count` blocks one after the other in memory that do not depend on each
    // other: two are taken through the rounds together, which keeps the processor busy
    // while one block waits for its lookups.
    void applyBlocks(std::uint8_t* blocks, std::size_t count) const;

private:
    std::uint64_t round(std::uint64_t t) const;

    // Plain arrays, like the round tables: lookups should cost a load in any build.
    std::uint64_t subkeys_[kFeistelRounds] = {};
    // The substitution result of a byte in each of the eight positions of a half.
    std::uint64_t placed_[8][256] = {};
    // The substitution result as it enters the next round's spreading: its value, and its
    // bit 3 moved to bit 8, where it chooses the row of the mirrored position.
    std::uint32_t value_[256] = {};
    std::uint32_t choice_[256] = {};
};

}  // namespace vantorell::engine
