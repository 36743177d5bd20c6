#pragma once
// The main layer over runs of blocks, chained as enciphering takes them or apart as
// deciphering does, with the halves kept in another form while they go through the rounds.
// The spreading of a round is a fixed permutation P of the 64 bits after the nibbles of
// some bytes are swapped (those whose mirrored byte has bit 3 set). With Y(x) = x xor x
// with every byte's nibbles swapped, and F(x) the mask of the bytes that swap,
// spread(x) = P(x) xor (P(Y(x)) and P(F(x))). P, Y and F are each an exclusive-or of what
// every byte gives alone, and a byte of x gives P(Y) bits only where its own bits land and
// P(F) bits only where its mirrored byte's bits land. So bytes 0..3 give P(Y) bits on one
// half of the positions and P(F) bits on the other half, and bytes 4..7 the other way
// round. Summed apart, as `low` and `high`, each holds P(Y) on one half and P(F) on the
// other, and low & high = P(Y) & P(F).
// A half is kept as its three images P(x), low(x), high(x): a round adds up two images of
// each substituted byte, one lookup each, and the chaining is an exclusive-or of images.
// Blocks are turned into images before the rounds and back after them, outside the work
// that takes one block after another.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/tqmh01/CipherSchedule.h"

namespace vantorell::engine {

class LayerChain {
public:
    struct Image {
        std::uint64_t p = 0;     // P(x)
        std::uint64_t low = 0;   // P(Y(x)) and P(F(x)) as far as bytes 0..3 of x give them
        std::uint64_t high = 0;  // the same for bytes 4..7
    };
    // All that turning an enciphered block back into bytes needs: P of its halves.
    struct PImage {
        std::uint64_t left = 0;
        std::uint64_t right = 0;
    };
    // A block as the rounds take it: the images of its halves.
    struct BlockImage {
        Image left;
        Image right;
        PImage pImage() const { return {left.p, right.p}; }
    };
    struct Layer;

    // Every output byte as FeistelLayer::apply with the same schedule gives it. The round
    // lookups take 24 KB, and the conversions' another 32 KB that are needed only between
    // runs of rounds: for more layers than one they would not stay in the first-level
    // cache, and FeistelLayer is faster.
    explicit LayerChain(const CipherSchedule& schedule);
    ~LayerChain();
    LayerChain(const LayerChain&) = delete;
    LayerChain& operator=(const LayerChain&) = delete;

    // Each block of `count` in place: xored with the enciphered block before it (the
    // chaining block for the first), then through the layer. The last enciphered block
    // becomes the chaining block.
    void encipher(std::uint8_t* blocks, std::size_t count,
                  std::array<std::uint8_t, kFeistelBlock>& chaining) const;

    // encipher() in its three steps, for callers that turn blocks into images and back on
    // other threads while one thread takes the chain: the conversions depend on nothing but
    // their own block and may run anywhere at any time.
    void toImages(const std::uint8_t* blocks, std::size_t count, BlockImage* out) const;
    // Each of `count` images from `in`: xored with the enciphered image before it,
    // `chaining` for the first, then through the layer, and its P images to `out`.
    // `chaining` becomes the last.
    void encipherImages(const BlockImage* in, PImage* out, std::size_t count,
                        BlockImage& chaining) const;
    void fromImages(const PImage* in, std::size_t count, std::uint8_t* blocks) const;

    // Each block of `count` in place through the layer alone, as FeistelLayer::applyBlocks.
    void applyBlocks(std::uint8_t* blocks, std::size_t count) const;

private:
    std::unique_ptr<Layer> layer_;
};

}  // namespace vantorell::engine
