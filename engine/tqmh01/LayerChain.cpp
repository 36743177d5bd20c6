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
    // The images of the substituted byte v at position m, for m = 0..3. Each image at
    // position m + 4 is the one at m rotated by 32 bits, so the four upper positions are
    // added up on their own and rotated once: 24 KB, which leaves room in a 32 KB
    // first-level cache for the blocks going through.
    std::uint64_t p[4][256];
    std::uint64_t y[4][256];
    std::uint64_t f[4][256];
    // Round r's key, and the keys of rounds r and r + 2 together (none beyond the last).
    Image keys[kFeistelRounds];
    Image keySteps[kFeistelRounds];
};

namespace {

constexpr std::uint64_t kLowNibbles = 0x0F0F0F0F0F0F0F0FULL;
constexpr std::uint64_t kLowBits = 0x0101010101010101ULL;

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

Image imageOf(std::uint64_t x) {
    const std::uint64_t swapped = ((x >> 4) & kLowNibbles) | ((x & kLowNibbles) << 4);
    // Byte m swaps when bit 3 of byte 7 - m is set.
    const std::uint64_t swaps = ((__builtin_bswap64(x) >> 3) & kLowBits) * 255U;
    return {permute(x), permute(x ^ swapped), permute(swaps)};
}

Image operator^(const Image& a, const Image& b) {
    return {a.p ^ b.p, a.y ^ b.y, a.f ^ b.f};
}

Image rotated(const Image& a) {
    return {std::rotl(a.p, 32), std::rotl(a.y, 32), std::rotl(a.f, 32)};
}

// The lookups that do not depend on a key: the images of each byte value at positions 0..3,
// and the pieces of P's inverse for bytes 0..3. P turns a rotation of its input by a byte
// into the same rotation of its output, and so does its inverse: what byte m + 4 gives is
// what byte m gives, rotated by 32 bits.
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
        Image low;
        Image high;
        for (int m = 0; m < 4; ++m) {
            low = low ^ byteImage[m][bytes[m]];
            high = high ^ byteImage[m][bytes[m + 4]];
        }
        return low ^ rotated(high);
    }
    void store(const Image& image, std::uint8_t* bytes) const {
        std::uint64_t low = 0;
        std::uint64_t high = 0;
        for (int j = 0; j < 4; ++j) {
            low |= inverse[j][byteAt(image.p, j)];
            high |= inverse[j][byteAt(image.p, j + 4)];
        }
        const std::uint64_t x = low | std::rotl(high, 32);
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

// base ^ the images of the substituted bytes of the round index a: for each image, the
// lookups of bytes 0..3 and those of bytes 4..7 rotated by 32 bits.
#if defined(__x86_64__)
// Written out by hand: each byte is taken out of a once and used for its three lookups
// straight away, and each lookup is a load folded into its exclusive-or. The compiler's
// form takes a third more instructions per round (it shifts every index into a byte offset
// and keeps spilling images), and the single chain of enciphering is as fast as the
// instructions of a round can be issued.
[[gnu::always_inline]] inline void addRound(const LayerChain::Layer& layer, std::uint64_t a,
                                            Image& base) {
    static_assert(offsetof(LayerChain::Layer, p) == 0 &&
                  offsetof(LayerChain::Layer, y) == 8192 &&
                  offsetof(LayerChain::Layer, f) == 16384);
    std::uint64_t lp = base.p;
    std::uint64_t ly = base.y;
    std::uint64_t lf = base.f;
    std::uint64_t hp;
    std::uint64_t hy;
    std::uint64_t hf;
    std::uint64_t i0;
    std::uint64_t i1;
    std::uint64_t s;
    // Positions m and m + 4 take the same lookups (offset 2048 * m into each image's
    // tables); the upper four are added up apart and rotated once at the end.
    asm("movzbl %b[a], %k[i0]\n\t"
        "movzbl %h[a], %k[i1]\n\t"
        "mov %[a], %[s]\n\t"
        "shr $16, %[s]\n\t"
        "xor 0(%[tb],%[i0],8), %[lp]\n\t"
        "xor 8192(%[tb],%[i0],8), %[ly]\n\t"
        "xor 16384(%[tb],%[i0],8), %[lf]\n\t"
        "xor 2048(%[tb],%[i1],8), %[lp]\n\t"
        "xor 10240(%[tb],%[i1],8), %[ly]\n\t"
        "xor 18432(%[tb],%[i1],8), %[lf]\n\t"
        "movzbl %b[s], %k[i0]\n\t"
        "movzbl %h[s], %k[i1]\n\t"
        "mov %[a], %[s]\n\t"
        "shr $32, %[s]\n\t"
        "xor 4096(%[tb],%[i0],8), %[lp]\n\t"
        "xor 12288(%[tb],%[i0],8), %[ly]\n\t"
        "xor 20480(%[tb],%[i0],8), %[lf]\n\t"
        "xor 6144(%[tb],%[i1],8), %[lp]\n\t"
        "xor 14336(%[tb],%[i1],8), %[ly]\n\t"
        "xor 22528(%[tb],%[i1],8), %[lf]\n\t"
        "movzbl %b[s], %k[i0]\n\t"
        "movzbl %h[s], %k[i1]\n\t"
        "shr $48, %[a]\n\t"
        "mov 0(%[tb],%[i0],8), %[hp]\n\t"
        "mov 8192(%[tb],%[i0],8), %[hy]\n\t"
        "mov 16384(%[tb],%[i0],8), %[hf]\n\t"
        "xor 2048(%[tb],%[i1],8), %[hp]\n\t"
        "xor 10240(%[tb],%[i1],8), %[hy]\n\t"
        "xor 18432(%[tb],%[i1],8), %[hf]\n\t"
        "movzbl %b[a], %k[i0]\n\t"
        "movzbl %h[a], %k[i1]\n\t"
        "xor 4096(%[tb],%[i0],8), %[hp]\n\t"
        "xor 12288(%[tb],%[i0],8), %[hy]\n\t"
        "xor 20480(%[tb],%[i0],8), %[hf]\n\t"
        "xor 6144(%[tb],%[i1],8), %[hp]\n\t"
        "xor 14336(%[tb],%[i1],8), %[hy]\n\t"
        "xor 22528(%[tb],%[i1],8), %[hf]\n\t"
        "rol $32, %[hp]\n\t"
        "rol $32, %[hy]\n\t"
        "rol $32, %[hf]\n\t"
        "xor %[hp], %[lp]\n\t"
        "xor %[hy], %[ly]\n\t"
        "xor %[hf], %[lf]\n\t"
        : [lp] "+r"(lp), [ly] "+r"(ly), [lf] "+r"(lf), [a] "+Q"(a), [hp] "=&r"(hp),
          [hy] "=&r"(hy), [hf] "=&r"(hf), [i0] "=&r"(i0), [i1] "=&Q"(i1), [s] "=&Q"(s)
        : [tb] "r"(&layer.p[0][0]), "m"(layer.p), "m"(layer.y), "m"(layer.f));
    base = {lp, ly, lf};
}
#else
// Keeps the compiler from turning a tree of exclusive-ors into one long chain, which
// would make each round wait for every lookup in turn.
[[gnu::always_inline]] inline std::uint64_t kept(std::uint64_t x) {
    asm("" : "+r"(x));
    return x;
}

// base ^ the sum of one image of the substituted bytes at[0..7]. The base is added while
// the rotated upper sum is still on its way, so it costs no step of its own.
[[gnu::always_inline]] inline std::uint64_t sum(std::uint64_t base,
                                                const std::uint64_t (&t)[4][256],
                                                const std::uint32_t (&at)[8]) {
    const std::uint64_t s0 = kept(t[0][at[0]] ^ t[1][at[1]]);
    const std::uint64_t s1 = kept(t[2][at[2]] ^ t[3][at[3]]);
    const std::uint64_t s2 = kept(t[0][at[4]] ^ t[1][at[5]]);
    const std::uint64_t s3 = kept(t[2][at[6]] ^ t[3][at[7]]);
    const std::uint64_t low = kept(base ^ kept(s0 ^ s1));
    return low ^ std::rotl(kept(s2 ^ s3), 32);
}

[[gnu::always_inline]] inline void addRound(const LayerChain::Layer& layer, std::uint64_t a,
                                            Image& base) {
    std::uint32_t at[8];
    for (int m = 0; m < 8; ++m) {
        at[m] = byteAt(a, m);
    }
    base = {sum(base.p, layer.p, at), sum(base.y, layer.y, at), sum(base.f, layer.f, at)};
}
#endif

// One layer over the halves' images, as FeistelLayer::apply over the bytes. The halves go
// through the rounds with keys added: the right one with the key of its round, the left
// one with the key of the next round, so that no key is added between a round's lookups
// and the next round's.
[[gnu::always_inline]] inline void run(const LayerChain::Layer& layer, Image& left, Image& right) {
    Image keyedLeft = left ^ layer.keys[1];
    Image keyedRight = right ^ layer.keys[0];
#pragma GCC unroll 16
    for (int r = 0; r < kFeistelRounds; ++r) {
        Image next = keyedLeft;
        addRound(layer, keyedRight.p ^ (keyedRight.y & keyedRight.f), next);
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
#pragma GCC unroll 16
    for (int r = 0; r < kFeistelRounds; ++r) {
        Image n0 = kl0;
        Image n1 = kl1;
        addRound(layer, kr0.p ^ (kr0.y & kr0.f), n0);
        addRound(layer, kr1.p ^ (kr1.y & kr1.f), n1);
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
            layer.y[m][v] = image.y;
            layer.f[m][v] = image.f;
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

void LayerChain::encipherImages(const BlockImage* in, BlockImage* out, std::size_t count,
                                BlockImage& chaining) const {
    Image left = chaining.left;
    Image right = chaining.right;
    for (std::size_t b = 0; b < count; ++b) {
        left = left ^ in[b].left;
        right = right ^ in[b].right;
        run(*layer_, left, right);
        out[b] = {left, right};
    }
    chaining = {left, right};
}

void LayerChain::fromImages(const BlockImage* in, std::size_t count, std::uint8_t* blocks) const {
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
    for (std::size_t first = 0; first < count; first += kBatch) {
        const std::size_t n = std::min(kBatch, count - first);
        std::uint8_t* bytes = blocks + first * kFeistelBlock;
        toImages(bytes, n, batch.data());
        encipherImages(batch.data(), batch.data(), n, chain);
        fromImages(batch.data(), n, bytes);
    }
    std::memcpy(chaining.data(), blocks + (count - 1) * kFeistelBlock, kFeistelBlock);
}

void LayerChain::applyBlocks(std::uint8_t* blocks, std::size_t count) const {
    std::size_t b = 0;
    for (; b + 2 <= count; b += 2) {
        BlockImage two[2];
        toImages(blocks + b * kFeistelBlock, 2, two);
        runTwo(*layer_, two[0].left, two[0].right, two[1].left, two[1].right);
        fromImages(two, 2, blocks + b * kFeistelBlock);
    }
    if (b < count) {
        BlockImage last;
        toImages(blocks + b * kFeistelBlock, 1, &last);
        run(*layer_, last.left, last.right);
        fromImages(&last, 1, blocks + b * kFeistelBlock);
    }
}

}  // namespace vantorell::engine
