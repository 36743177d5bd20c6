#pragma once
// The spreading of the Feistel layers' round function: each byte of the round input
// becomes a row of eight bytes, its nibbles' bits scattered, which is rotated to the
// byte's position.

#include <cstdint>

namespace vantorell::engine {
namespace spread_rows {

// Where each bit of a nibble lands in the 8-byte row of the round function.
struct BitTarget {
    int byte;
    int bit;
};
constexpr BitTarget kFirstScatter[4] = {{3, 1}, {4, 0}, {6, 6}, {2, 5}};
constexpr BitTarget kSecondScatter[4] = {{5, 3}, {7, 7}, {0, 2}, {1, 4}};

// Rows are kept as 64-bit words with byte d at bits 8d .. 8d+7.
constexpr std::uint64_t scatter(const BitTarget (&targets)[4], unsigned nibble) {
    std::uint64_t row = 0;
    for (int b = 0; b < 4; ++b) {
        if ((nibble >> b) & 1U) {
            row ^= std::uint64_t{1} << (8 * targets[b].byte + targets[b].bit);
        }
    }
    return row;
}

// kSpread[x + 256 * flag]: the row of a round-input byte x before its rotation. flag is
// bit 3 of the byte at the mirrored position: when set the low nibble goes through the
// first table. 4 KB, so that it stays in the first-level cache beside the layer's tables.
struct SpreadTable {
    std::uint64_t rows[512];
};

constexpr SpreadTable makeSpread() {
    SpreadTable table{};
    for (unsigned x = 0; x < 256; ++x) {
        const unsigned lo = x & 15U;
        const unsigned hi = x >> 4;
        table.rows[x] = scatter(kFirstScatter, hi) ^ scatter(kSecondScatter, lo);
        table.rows[256 + x] = scatter(kFirstScatter, lo) ^ scatter(kSecondScatter, hi);
    }
    return table;
}

inline constexpr SpreadTable kSpreadRows = makeSpread();

}  // namespace spread_rows

using spread_rows::kSpreadRows;

}  // namespace vantorell::engine
