#include "engine/tqmh01/FeistelLayer.h"

#include <bit>
#include <utility>

#include "engine/tqmh01/SpreadRows.h"

namespace vantorell::engine {
namespace {

constexpr const auto& kSpread = kSpreadRows.rows;

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

std::uint32_t byteAt(std::uint64_t v, int m) {
    return static_cast<std::uint32_t>((v >> (8 * m)) & 255U);
}

// The row index of byte m of a round input t: the byte, and bit 3 of the byte at the
// mirrored position moved to bit 8.
std::uint32_t rowIndex(std::uint64_t t, int m) {
    return byteAt(t, m) | ((byteAt(t, 7 - m) & 8U) << 5);
}

std::uint64_t row(std::uint32_t index, int m) {
    return std::rotl(kSpread[index], 8 * m);
}

// The spread of a round input t. Always inlined: a call would keep the lookups of two
// blocks from overlapping.
[[gnu::always_inline]] inline std::uint64_t spread(std::uint64_t t) {
    return (row(rowIndex(t, 0), 0) ^ row(rowIndex(t, 7), 7)) ^
           (row(rowIndex(t, 1), 1) ^ row(rowIndex(t, 6), 6)) ^
           ((row(rowIndex(t, 2), 2) ^ row(rowIndex(t, 5), 5)) ^
            (row(rowIndex(t, 3), 3) ^ row(rowIndex(t, 4), 4)));
}

}  // namespace

void FeistelLayer::prepare(const CipherSchedule& schedule) {
    for (int r = 0; r < kFeistelRounds; ++r) {
        subkeys_[r] = load(&schedule.subkeys[static_cast<std::size_t>(r) * 8]);
    }
    for (unsigned v = 0; v < 256; ++v) {
        const std::uint8_t s = schedule.sbox[v];
        for (int m = 0; m < 8; ++m) {
            placed_[m][v] = std::uint64_t{s} << (8 * m);
        }
        value_[v] = s;
        choice_[v] = (s & 8U) << 5;
    }
}

// A round takes t = right ^ subkey, spreads it into a and xors the substituted bytes of a
// into the left half. The next round's t is q ^ substituted a, with q = left ^ next
// subkey, so its row indices come straight from the substitution lookups of a's bytes
// instead of from the assembled word: one lookup less from one round to the next. Bytes m
// and 7 - m are taken together, as each chooses the other's row.
void FeistelLayer::apply(std::uint8_t* block) const {
    std::uint64_t left = load(block);
    std::uint64_t right = load(block + 8);
    std::uint64_t a = spread(right ^ subkeys_[0]);
    for (int r = 0;; ++r) {
        if (r == kFeistelRounds - 1) {
            for (int m = 0; m < 8; ++m) {
                left ^= placed_[m][byteAt(a, m)];
            }
            break;
        }
        const std::uint64_t q = left ^ subkeys_[r + 1];
        std::uint64_t next[4];
        std::uint64_t f[4];
        for (int m = 0; m < 4; ++m) {
            const int n = 7 - m;
            const std::uint32_t vm = byteAt(a, m);
            const std::uint32_t vn = byteAt(a, n);
            next[m] = row(rowIndex(q, m) ^ value_[vm] ^ choice_[vn], m) ^
                      row(rowIndex(q, n) ^ value_[vn] ^ choice_[vm], n);
            f[m] = placed_[m][vm] ^ placed_[n][vn];
        }
        const std::uint64_t newRight = left ^ ((f[0] ^ f[1]) ^ (f[2] ^ f[3]));
        a = (next[0] ^ next[1]) ^ (next[2] ^ next[3]);
        left = right;
        right = newRight;
    }
    store(left, block);
    store(right, block + 8);
}

// What a round xors into the left half for the round input t.
[[gnu::always_inline]] inline std::uint64_t FeistelLayer::round(std::uint64_t t) const {
    const std::uint64_t a = spread(t);
    return (placed_[0][byteAt(a, 0)] ^ placed_[1][byteAt(a, 1)]) ^
           (placed_[2][byteAt(a, 2)] ^ placed_[3][byteAt(a, 3)]) ^
           ((placed_[4][byteAt(a, 4)] ^ placed_[5][byteAt(a, 5)]) ^
            (placed_[6][byteAt(a, 6)] ^ placed_[7][byteAt(a, 7)]));
}

void FeistelLayer::applyBlocks(std::uint8_t* blocks, std::size_t count) const {
    std::size_t b = 0;
    for (; b + 2 <= count; b += 2) {
        std::uint8_t* first = blocks + b * kFeistelBlock;
        std::uint8_t* second = first + kFeistelBlock;
        std::uint64_t left0 = load(first);
        std::uint64_t right0 = load(first + 8);
        std::uint64_t left1 = load(second);
        std::uint64_t right1 = load(second + 8);
        for (int r = 0; r < kFeistelRounds; ++r) {
            left0 ^= round(right0 ^ subkeys_[r]);
            left1 ^= round(right1 ^ subkeys_[r]);
            if (r < kFeistelRounds - 1) {
                std::swap(left0, right0);
                std::swap(left1, right1);
            }
        }
        store(left0, first);
        store(right0, first + 8);
        store(left1, second);
        store(right1, second + 8);
    }
    if (b < count) {
        apply(blocks + b * kFeistelBlock);
    }
}

}  // namespace vantorell::engine
