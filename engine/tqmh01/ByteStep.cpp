#include "engine/tqmh01/ByteStep.h"

#include <algorithm>
#include <utility>

namespace vantorell::engine {
namespace {

constexpr int kFirstLayerTable = kByteStepStateTables;  // 18
constexpr int kLastLayerTable = kByteStepTables - 1;    // 26
constexpr int kMixTable = 8;
constexpr int kFinalStateTable = kByteStepStateTables - 1;  // 17

// Position m of the byte's path: + for 0 and 5, - for 2 and 7, exclusive-or otherwise.
// Position m deciphering with the operand of 7 - m undoes position 7 - m enciphering.
std::uint8_t combine(int position, std::uint8_t a, std::uint8_t operand) {
    switch (position) {
        case 0:
        case 5:
            return static_cast<std::uint8_t>(a + operand);
        case 2:
        case 7:
            return static_cast<std::uint8_t>(a - operand);
        default:
            return static_cast<std::uint8_t>(a ^ operand);
    }
}

}  // namespace

// The eight operands u of this byte, from the counter and the round bytes.
void ByteStep::advance(std::uint8_t (&u)[8]) {
    const auto& t = m_.tables;
    std::uint8_t v[8];
    std::copy(m_.counter, m_.counter + 8, v);
    for (int j = 0; j < 7; ++j) {
        v[j + 1] ^= t[17 - j][v[j]];
    }
    for (int k = 7; k >= 1; --k) {
        v[k - 1] ^= t[7 - k][v[k]];
    }
    // Eight independent chains of lookups each, walked side by side.
    std::uint8_t c[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    for (int l = 0; l < 8; ++l) {
        for (int k = 0; k < 8; ++k) {
            c[k] = t[l][c[k]] ^ v[l];
        }
    }
    for (int k = 0; k < 8; ++k) {
        u[k] = t[kMixTable][c[k]];
        c[k] = static_cast<std::uint8_t>(k);
    }
    for (int l = 0; l < 8; ++l) {
        for (int k = 0; k < 8; ++k) {
            c[k] = static_cast<std::uint8_t>(u[l] + t[9 + l][c[k]]);
        }
    }
    for (int k = 0; k < 8; ++k) {
        v[k] = t[kFinalStateTable][c[k]];
    }
    for (int l = 0; l < 8; ++l) {
        std::swap(v[l], m_.roundBytes[u[l]]);
        u[l] ^= v[l];
    }
    for (std::uint8_t& b : m_.counter) {
        if (++b != 0) {
            break;
        }
    }
}

std::uint8_t ByteStep::apply(std::uint8_t a) {
    std::uint8_t u[8];
    advance(u);
    const auto& t = m_.tables;
    if (direction_ == CipherDirection::Encipher) {
        for (int m = 0; m < 8; ++m) {
            a = combine(m, t[kFirstLayerTable + m][a], u[m]);
        }
        return t[kLastLayerTable][a];
    }
    for (int m = 0; m < 8; ++m) {
        a = combine(m, t[kLastLayerTable - m][a], u[7 - m]);
    }
    return t[kFirstLayerTable][a];
}

}  // namespace vantorell::engine
