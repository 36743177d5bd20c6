#pragma once
// One keyed Feistel layer over 16-byte blocks: 16 rounds, left half bytes 0..7, right half
// bytes 8..15. The schedule is turned into lookups once, when the layer is prepared.

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

private:
    // Plain arrays, like the round tables: lookups should cost a load in any build.
    std::uint64_t subkeys_[kFeistelRounds] = {};
    std::uint8_t sbox_[256] = {};
};

}  // namespace vantorell::engine
