#pragma once
// Key expansion of the keyed Feistel layers: 16 key bytes become 128 round subkey bytes
// and a substitution table.

#include <array>
#include <cstdint>

#include "engine/tqmh01/CipherRequest.h"

namespace vantorell::engine {

inline constexpr int kFeistelRounds = 16;
inline constexpr int kFeistelBlock = 16;

using CipherKey = std::array<std::uint8_t, 16>;

struct CipherSchedule {
    std::array<std::uint8_t, kFeistelRounds * 8> subkeys{};  // row r = bytes 8r .. 8r+7
    std::array<std::uint8_t, 256> sbox{};                    // a permutation of 0..255
};

// Direction Decipher stores the subkey rows in reverse order, so the same layer run with
// it undoes the layer run with the Encipher schedule of the same key.
void ExpandCipherKey(const CipherKey& key, CipherSchedule& schedule, CipherDirection direction);

}  // namespace vantorell::engine
