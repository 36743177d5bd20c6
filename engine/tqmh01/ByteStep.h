#pragma once
// The keyed byte step (stage C): every byte goes through eight keyed tables and eight
// operations whose operands come from a counter-driven state that advances once a byte.

#include <array>
#include <cstdint>

#include "engine/tqmh01/CipherRequest.h"

namespace vantorell::engine {

inline constexpr int kByteStepTables = 27;
inline constexpr int kByteStepStateTables = 18;  // tables 0..17 drive the state
inline constexpr int kByteStepLayerTables = 9;   // tables 18..26 carry the byte itself

struct ByteStepMaterial {
    // 0..17: inverses of keyed permutations; 18..26: the layer tables, stored inverted when
    // enciphering and as they are when deciphering.
    std::array<std::array<std::uint8_t, 256>, kByteStepTables> tables{};
    std::array<std::uint8_t, 8> counter{};      // byte 0 lowest
    std::array<std::uint8_t, 256> roundBytes{};  // the two sets of 128, one after the other
};

class ByteStep {
public:
    ByteStep() = default;
    ByteStep(const ByteStepMaterial& material, CipherDirection direction)
        : m_(material), direction_(direction) {}

    // One byte of stage C; the state advances, so a run deciphers its bytes in the order
    // in which they were enciphered.
    std::uint8_t apply(std::uint8_t a);

    const ByteStepMaterial& material() const { return m_; }

private:
    void advance(std::array<std::uint8_t, 8>& u);

    ByteStepMaterial m_;
    CipherDirection direction_ = CipherDirection::Encipher;
};

}  // namespace vantorell::engine
