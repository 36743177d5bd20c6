#include "engine/tqmh01/FeistelLayer.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace vantorell::engine {
namespace {

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

// spread[flag][x]: the row of a round-input byte x before its rotation. flag is bit 3 of
// the byte at the mirrored position: when set the low nibble goes through the first table.
// 4 KB, so that it stays in the first-level cache beside the substitution table.
struct SpreadTable {
    std::uint64_t rows[2][256];
};

constexpr SpreadTable makeSpread() {
    SpreadTable table{};
    for (unsigned x = 0; x < 256; ++x) {
        const unsigned lo = x & 15U;
        const unsigned hi = x >> 4;
        table.rows[1][x] = scatter(kFirstScatter, lo) ^ scatter(kSecondScatter, hi);
        table.rows[0][x] = scatter(kFirstScatter, hi) ^ scatter(kSecondScatter, lo);
    }
    return table;
}

constexpr SpreadTable kSpreadTable = makeSpread();
constexpr const auto& kSpread = kSpreadTable.rows;

std::uint64_t load(const std::uint8_t* p) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) {
        v = (v << 8) | p[i];
    }
    return v;
}

void store(std::uint64_t v, std::uint8_t* p) {
    for (int i = 0; i < 8; ++i) {
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

}  // namespace

void FeistelLayer::prepare(const CipherSchedule& schedule) {
    for (int r = 0; r < kFeistelRounds; ++r) {
        subkeys_[r] = load(&schedule.subkeys[static_cast<std::size_t>(r) * 8]);
    }
    std::copy(schedule.sbox.begin(), schedule.sbox.end(), sbox_);
}

void FeistelLayer::apply(std::uint8_t* block) const {
    std::uint64_t left = load(block);
    std::uint64_t right = load(block + 8);
    for (int r = 0; r < kFeistelRounds; ++r) {
        const std::uint64_t t = right ^ subkeys_[r];
        std::uint64_t a = 0;
        for (int m = 0; m < 8; ++m) {
            const auto x = static_cast<unsigned>((t >> (8 * m)) & 255U);
            const auto flag = static_cast<unsigned>((t >> (8 * (7 - m) + 3)) & 1U);
            // Row byte d lands on accumulator byte (d + m) mod 8.
            a ^= std::rotl(kSpread[flag][x], 8 * m);
        }
        std::uint64_t f = 0;
        for (int m = 0; m < 8; ++m) {
            f |= std::uint64_t{sbox_[(a >> (8 * m)) & 255U]} << (8 * m);
        }
        left ^= f;
        if (r < kFeistelRounds - 1) {
            std::swap(left, right);
        }
    }
    store(left, block);
    store(right, block + 8);
}

}  // namespace vantorell::engine
