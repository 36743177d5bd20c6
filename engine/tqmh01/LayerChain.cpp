#include "engine/tqmh01/LayerChain.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <vector>

#include "engine/tqmh01/SpreadRows.h"

namespace vantorell::engine {

using Image = LayerChain::Image;

struct LayerChain::Layer {
    // The images of the substituted byte v at position m. P for m = 0..3 only: the P image
    // at position m + 4 is the one at m rotated by 32 bits, so the four upper positions are
    // added up on their own and rotated once. The swap images for all eight positions (a
    // byte at 0..3 adds to low only, one at 4..7 to high only), as low & high is needed
    // before P and has no time for a rotation. 24 KB.
    std::uint64_t p[4][256];
    std::uint64_t swaps[8][256];
    // Round r's key, and the keys of rounds r and r + 2 together (none beyond the last).
    Image keys[kFeistelRounds];
    Image keySteps[kFeistelRounds];
};

namespace {

constexpr std::uint64_t kLowNibbles = 0x0F0F0F0F0F0F0F0FULL;
constexpr std::uint64_t kLowBits = 0x0101010101010101ULL;
constexpr std::uint64_t kLowBytes = 0x00000000FFFFFFFFULL;

std::uint32_t byteAt(std::uint64_t v, int m) {
    return static_cast<std::uint32_t>((v >> (8 * m)) & 255U);
}

// The spreading of x as if no byte swapped its nibbles.
std::uint64_t permute(std::uint64_t x) {
    std::uint64_t out = 0;
    for (int m = 0; m < 8; ++m) {
        out ^= std::rotl(kSpreadRows.rows[byteAt(x, m)], 8 * m);
    }
    return out;
}

// P(Y(z)) xor P(F(z)): for z with bytes on one side only (0..3 or 4..7) the two lie on
// different halves of the positions.
std::uint64_t swapImage(std::uint64_t z) {
    const std::uint64_t swapped = ((z >> 4) & kLowNibbles) | ((z & kLowNibbles) << 4);
    // Byte m swaps when bit 3 of byte 7 - m is set.
    const std::uint64_t swaps = ((__builtin_bswap64(z) >> 3) & kLowBits) * 255U;
    return permute(z ^ swapped) ^ permute(swaps);
}

Image imageOf(std::uint64_t x) {
    return {permute(x), swapImage(x & kLowBytes), swapImage(x & ~kLowBytes)};
}

Image operator^(const Image& a, const Image& b) {
    return {a.p ^ b.p, a.low ^ b.low, a.high ^ b.high};
}

// The image of x rotated by four bytes: P and the swap images turn a rotation of x by a
// byte into the same rotation of their bits, and low and high change places.
Image rotated(const Image& a) {
    return {std::rotl(a.p, 32), std::rotl(a.high, 32), std::rotl(a.low, 32)};
}

// The lookups that do not depend on a key: the images of each byte value at positions 0..3,
// and the pieces of P's inverse for bytes 0..3. What byte m + 4 gives is what byte m gives,
// rotated by four bytes (rotated()); P's inverse too turns a rotation of its input by a
// byte into the same rotation of its output.
struct Images {
    Images() {
        for (int m = 0; m < 4; ++m) {
            for (unsigned v = 0; v < 256; ++v) {
                byteImage[m][v] = imageOf(std::uint64_t{v} << (8 * m));
            }
        }
        int target[64];
        for (int bit = 0; bit < 64; ++bit) {
            target[bit] = std::countr_zero(permute(std::uint64_t{1} << bit));
        }
        for (int bit = 0; bit < 64; ++bit) {
            const int at = target[bit];
            if (at >= 32) {
                continue;
            }
            for (unsigned v = 0; v < 256; ++v) {
                if ((v >> (at % 8)) & 1U) {
                    inverse[at / 8][v] |= std::uint64_t{1} << bit;
                }
            }
        }
    }

    Image half(const std::uint8_t* bytes) const {
        Image lower;
        Image upper;
        for (int m = 0; m < 4; ++m) {
            lower = lower ^ byteImage[m][bytes[m]];
            upper = upper ^ byteImage[m][bytes[m + 4]];
        }
        return lower ^ rotated(upper);
    }
    // The bytes of the half whose P image is p.
    void store(std::uint64_t p, std::uint8_t* bytes) const {
        std::uint64_t lower = 0;
        std::uint64_t upper = 0;
        for (int j = 0; j < 4; ++j) {
            lower |= inverse[j][byteAt(p, j)];
            upper |= inverse[j][byteAt(p, j + 4)];
        }
        const std::uint64_t x = lower | std::rotl(upper, 32);
        for (int i = 0; i < 8; ++i) {
            bytes[i] = static_cast<std::uint8_t>(x >> (8 * i));
        }
    }

    Image byteImage[4][256];
    std::uint64_t inverse[4][256] = {};
};

const Images& images() {
    static const Images instance;
    return instance;
}

// The spread of the round input whose images these are: P(x) xor (P(Y(x)) and P(F(x))).
[[gnu::always_inline]] inline std::uint64_t spreadOf(const Image& x) {
    return x.p ^ (x.low & x.high);
}

// Adds to base the images of the substituted bytes of the round index a: P of all eight
// bytes, the swap images of bytes 0..3 into low and those of bytes 4..7 into high. Returns
// the spread of the new base, the next round's index.
#if defined(__x86_64__) && defined(__OPTIMIZE__)
// Written out by hand. The lookups of a round all wait for its index and are issued a few
// at a time, so the round takes as long as issuing them and the additions after the last:
// the swap lookups go first, as low & high has a step more to go than P, and the eight
// indices are kept for the P lookups rather than taken out of a again; low & high is
// added into the P sum before its last step, so the spread comes with it. Each lookup is a
// load folded into its exclusive-or; a holds the upper P sum once it is taken apart.
// It needs 14 registers, which an unoptimised build does not leave free (the build
// compiles this file optimised).
[[gnu::always_inline]] inline std::uint64_t addRound(const LayerChain::Layer& layer,
                                                     std::uint64_t a, Image& base) {
    static_assert(offsetof(LayerChain::Layer, p) == 0 &&
                  offsetof(LayerChain::Layer, swaps) == 8192);
    std::uint64_t lp = base.p;
    std::uint64_t low = base.low;
    std::uint64_t high = base.high;
    std::uint64_t s;
    std::uint64_t i0;
    std::uint64_t i1;
    std::uint64_t i2;
    std::uint64_t i3;
    std::uint64_t i4;
    std::uint64_t i5;
    std::uint64_t i6;
    std::uint64_t i7;
    // P of position m at offset 2048 * (m mod 4); the swap image of m at 8192 + 2048 * m.
    asm("movzbl %b[a], %k[i0]\n\t"
        "xor 8192(%[tb],%[i0],8), %[low]\n\t"
        "mov %[a], %[s]\n\t"
        "shr $32, %[s]\n\t"
        "movzbl %b[s], %k[i1]\n\t"
        "xor 16384(%[tb],%[i1],8), %[high]\n\t"
        "mov %[a], %[s]\n\t"
        "shr $8, %[s]\n\t"
        "movzbl %b[s], %k[i2]\n\t"
        "xor 10240(%[tb],%[i2],8), %[low]\n\t"
        "mov %[a], %[s]\n\t"
        "shr $40, %[s]\n\t"
        "movzbl %b[s], %k[i3]\n\t"
        "xor 18432(%[tb],%[i3],8), %[high]\n\t"
        "mov %[a], %[s]\n\t"
        "shr $16, %[s]\n\t"
        "movzbl %b[s], %k[i4]\n\t"
        "xor 12288(%[tb],%[i4],8), %[low]\n\t"
        "mov %[a], %[s]\n\t"
        "shr $48, %[s]\n\t"
        "movzbl %b[s], %k[i5]\n\t"
        "xor 20480(%[tb],%[i5],8), %[high]\n\t"
        "mov %[a], %[s]\n\t"
        "shr $24, %[s]\n\t"
        "movzbl %b[s], %k[i6]\n\t"
        "xor 14336(%[tb],%[i6],8), %[low]\n\t"
        "mov %[a], %[i7]\n\t"
        "shr $56, %[i7]\n\t"
        "xor 22528(%[tb],%[i7],8), %[high]\n\t"
        "mov 0(%[tb],%[i1],8), %[a]\n\t"
        "xor 0(%[tb],%[i0],8), %[lp]\n\t"
        "xor 2048(%[tb],%[i3],8), %[a]\n\t"
        "xor 2048(%[tb],%[i2],8), %[lp]\n\t"
        "xor 4096(%[tb],%[i5],8), %[a]\n\t"
        "xor 4096(%[tb],%[i4],8), %[lp]\n\t"
        "xor 6144(%[tb],%[i7],8), %[a]\n\t"
        "xor 6144(%[tb],%[i6],8), %[lp]\n\t"
        "mov %[low], %[s]\n\t"
        "and %[high], %[s]\n\t"
        "xor %[s], %[lp]\n\t"
        "rol $32, %[a]\n\t"
        "xor %[a], %[lp]\n\t"
        : [lp] "+r"(lp), [low] "+r"(low), [high] "+r"(high), [a] "+r"(a), [s] "=&r"(s),
          [i0] "=&r"(i0), [i1] "=&r"(i1), [i2] "=&r"(i2), [i3] "=&r"(i3), [i4] "=&r"(i4),
          [i5] "=&r"(i5), [i6] "=&r"(i6), [i7] "=&r"(i7)
        : [tb] "r"(&layer.p[0][0]), "m"(layer.p), "m"(layer.swaps));
    // lp is the spread now, and s holds low & high.
    base = {lp ^ s, low, high};
    return lp;
}
#else
// Keeps the compiler from turning a tree of exclusive-ors into one long chain, which
// would make each round wait for every lookup in turn.
[[gnu::always_inline]] inline std::uint64_t kept(std::uint64_t x) {
    asm("" : "+r"(x));
    return x;
}

// The sum of t[0][at[0]] .. t[3][at[3]].
[[gnu::always_inline]] inline std::uint64_t sum4(const std::uint64_t (*t)[256],
                                                 const std::uint32_t* at) {
    return kept(kept(t[0][at[0]] ^ t[1][at[1]]) ^ kept(t[2][at[2]] ^ t[3][at[3]]));
}

[[gnu::always_inline]] inline std::uint64_t addRound(const LayerChain::Layer& layer,
                                                     std::uint64_t a, Image& base) {
    std::uint32_t at[8];
    for (int m = 0; m < 8; ++m) {
        at[m] = byteAt(a, m);
    }
    const std::uint64_t lowerP = kept(base.p ^ sum4(layer.p, at));
    base = {lowerP ^ std::rotl(sum4(layer.p, at + 4), 32), base.low ^ sum4(layer.swaps, at),
            base.high ^ sum4(layer.swaps + 4, at + 4)};
    return spreadOf(base);
}
#endif

// One layer over the halves' images, as FeistelLayer::apply over the bytes. The halves go
// through the rounds with keys added: the right one with the key of its round, the left
// one with the key of the next round, so that no key is added between a round's lookups
// and the next round's.
[[gnu::always_inline]] inline void run(const LayerChain::Layer& layer, Image& left, Image& right) {
    Image keyedLeft = left ^ layer.keys[1];
    Image keyedRight = right ^ layer.keys[0];
    std::uint64_t a = spreadOf(keyedRight);
#pragma GCC unroll 16
    for (int r = 0; r < kFeistelRounds; ++r) {
        Image next = keyedLeft;
        a = addRound(layer, a, next);
        if (r < kFeistelRounds - 1) {
            keyedLeft = keyedRight ^ layer.keySteps[r];
            keyedRight = next;
        } else {
            left = next;
            right = keyedRight ^ layer.keys[r];
        }
    }
}

// Two blocks that do not depend on each other through the rounds together, which keeps the
// processor busy while one block waits for its lookups.
[[gnu::always_inline]] inline void runTwo(const LayerChain::Layer& layer, Image& left0,
                                          Image& right0, Image& left1, Image& right1) {
    Image kl0 = left0 ^ layer.keys[1];
    Image kr0 = right0 ^ layer.keys[0];
    Image kl1 = left1 ^ layer.keys[1];
    Image kr1 = right1 ^ layer.keys[0];
    std::uint64_t a0 = spreadOf(kr0);
    std::uint64_t a1 = spreadOf(kr1);
#pragma GCC unroll 16
    for (int r = 0; r < kFeistelRounds; ++r) {
        Image n0 = kl0;
        Image n1 = kl1;
        a0 = addRound(layer, a0, n0);
        a1 = addRound(layer, a1, n1);
        if (r < kFeistelRounds - 1) {
            kl0 = kr0 ^ layer.keySteps[r];
            kr0 = n0;
            kl1 = kr1 ^ layer.keySteps[r];
            kr1 = n1;
        } else {
            left0 = n0;
            right0 = kr0 ^ layer.keys[r];
            left1 = n1;
            right1 = kr1 ^ layer.keys[r];
        }
    }
}

// Blocks turned into images at a time: the lookups of each step then stay in the
// first-level cache through many blocks.
constexpr std::size_t kBatch = 256;

}  // namespace

LayerChain::LayerChain(const CipherSchedule& schedule) : layer_(std::make_unique<Layer>()) {
    const Images& im = images();
    Layer& layer = *layer_;
    for (int r = 0; r < kFeistelRounds; ++r) {
        layer.keys[r] = im.half(&schedule.subkeys[static_cast<std::size_t>(r) * 8]);
    }
    for (int r = 0; r < kFeistelRounds; ++r) {
        layer.keySteps[r] =
            r + 2 < kFeistelRounds ? layer.keys[r] ^ layer.keys[r + 2] : layer.keys[r];
    }
    for (int m = 0; m < 4; ++m) {
        for (unsigned v = 0; v < 256; ++v) {
            const Image& image = im.byteImage[m][schedule.sbox[v]];
            layer.p[m][v] = image.p;
            layer.swaps[m][v] = image.low;
            layer.swaps[m + 4][v] = rotated(image).high;
        }
    }
}

LayerChain::~LayerChain() = default;

void LayerChain::toImages(const std::uint8_t* blocks, std::size_t count, BlockImage* out) const {
    const Images& im = images();
    for (std::size_t b = 0; b < count; ++b) {
        out[b].left = im.half(blocks + b * kFeistelBlock);
        out[b].right = im.half(blocks + b * kFeistelBlock + 8);
    }
}

void LayerChain::encipherImages(const BlockImage* in, PImage* out, std::size_t count,
                                BlockImage& chaining) const {
    Image left = chaining.left;
    Image right = chaining.right;
    for (std::size_t b = 0; b < count; ++b) {
        left = left ^ in[b].left;
        right = right ^ in[b].right;
        run(*layer_, left, right);
        out[b] = BlockImage{left, right}.pImage();
    }
    chaining = {left, right};
}

void LayerChain::fromImages(const PImage* in, std::size_t count, std::uint8_t* blocks) const {
    const Images& im = images();
    for (std::size_t b = 0; b < count; ++b) {
        im.store(in[b].left, blocks + b * kFeistelBlock);
        im.store(in[b].right, blocks + b * kFeistelBlock + 8);
    }
}

void LayerChain::encipher(std::uint8_t* blocks, std::size_t count,
                          std::array<std::uint8_t, kFeistelBlock>& chaining) const {
    if (count == 0) {
        return;
    }
    BlockImage chain;
    toImages(chaining.data(), 1, &chain);
    std::vector<BlockImage> batch(std::min(kBatch, count));
    std::vector<PImage> enciphered(batch.size());
    for (std::size_t first = 0; first < count; first += kBatch) {
        const std::size_t n = std::min(kBatch, count - first);
        std::uint8_t* bytes = blocks + first * kFeistelBlock;
        toImages(bytes, n, batch.data());
        encipherImages(batch.data(), enciphered.data(), n, chain);
        fromImages(enciphered.data(), n, bytes);
    }
    std::memcpy(chaining.data(), blocks + (count - 1) * kFeistelBlock, kFeistelBlock);
}

void LayerChain::applyBlocks(std::uint8_t* blocks, std::size_t count) const {
    std::size_t b = 0;
    for (; b + 2 <= count; b += 2) {
        BlockImage two[2];
        toImages(blocks + b * kFeistelBlock, 2, two);
        runTwo(*layer_, two[0].left, two[0].right, two[1].left, two[1].right);
        const PImage done[2] = {two[0].pImage(), two[1].pImage()};
        fromImages(done, 2, blocks + b * kFeistelBlock);
    }
    if (b < count) {
        BlockImage last;
        toImages(blocks + b * kFeistelBlock, 1, &last);
        run(*layer_, last.left, last.right);
        const PImage done = last.pImage();
        fromImages(&done, 1, blocks + b * kFeistelBlock);
    }
}

}  // namespace vantorell::engine
