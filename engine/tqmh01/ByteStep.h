#pragma once
// The keyed byte step (stage C): every byte goes through eight keyed tables and eight
// operations whose operands come from a counter-driven state that advances once a byte.

#include <cstdint>

#include "engine/tqmh01/CipherRequest.h"

namespace vantorell::engine {

inline constexpr int kByteStepTables = 27;
inline constexpr int kByteStepStateTables = 18;  // tables 0..17 drive the state
inline constexpr int kByteStepLayerTables = 9;   // tables 18..26 carry the byte itself

// Plain arrays: the step makes about 150 lookups a byte, and they should cost no more than
// a load in any build.
struct ByteStepMaterial {
    // 0..17: inverses of keyed permutations; 18..26: the layer tables, stored inverted when
    // enciphering and as they are when deciphering.
    std::uint8_t tables[kByteStepTables][256] = {};
    std::uint8_t counter[8] = {};       // byte 0 lowest
    std::uint8_t roundBytes[256] = {};  // the two sets of 128, one after the other
};

class ByteStep {
public:
    ByteStep() = default;
    ByteStep(const ByteStepMaterial& material, CipherDirection direction)
        : m_(material), direction_(direction) {}

    // One byte of stage C; the state advances, so a run deciphers its bytes in the order
    // in which they were enciphered.
    std::uint8_t apply(std::uint8_t a);

private:
    void advance(std::uint8_t (&u)[8]);

    ByteStepMaterial m_;
    CipherDirection direction_ = CipherDirection::Encipher;
};

}  // namespace vantorell::engine
