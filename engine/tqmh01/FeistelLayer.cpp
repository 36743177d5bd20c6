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

// spread[m][flag][x]: the row of byte m of the round input x, rotated by m bytes. flag is
// bit 3 of byte 7 - m: when set the low nibble goes through the first table.
struct SpreadTable {
    std::uint64_t rows[8][2][256];
};

constexpr SpreadTable makeSpread() {
    SpreadTable table{};
    for (int m = 0; m < 8; ++m) {
        for (unsigned x = 0; x < 256; ++x) {
            const unsigned lo = x & 15U;
            const unsigned hi = x >> 4;
            const std::uint64_t lowFirst = scatter(kFirstScatter, lo) ^ scatter(kSecondScatter, hi);
            const std::uint64_t highFirst =
                scatter(kFirstScatter, hi) ^ scatter(kSecondScatter, lo);
            table.rows[m][1][x] = std::rotl(lowFirst, 8 * m);
            table.rows[m][0][x] = std::rotl(highFirst, 8 * m);
        }
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
            a ^= kSpread[m][flag][x];
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
