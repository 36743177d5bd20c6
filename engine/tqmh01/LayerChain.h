#pragma once
// The main layer over runs of blocks, chained as enciphering takes them or apart as
// deciphering does, with the halves kept in another form while they go through the rounds.
// The spreading of a round is a fixed permutation P of the 64 bits after the nibbles of
// some bytes are swapped (those whose mirrored byte has bit 3 set). With Y(x) = x xor x
// with every byte's nibbles swapped, and F(x) the mask of the bytes that swap,
// spread(x) = P(x) xor (P(Y(x)) and P(F(x))); and P, Y and F are each an exclusive-or of
// what every byte gives alone. So a half is kept as its three images P(x), P(Y(x)),
// P(F(x)): a round adds up the images of its substituted bytes, one lookup each, and the
// chaining is an exclusive-or of images. Blocks are turned into images before the rounds
// and back after them, outside the work that takes one block after another.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/tqmh01/CipherSchedule.h"

namespace vantorell::engine {

class LayerChain {
public:
    struct Image {
        std::uint64_t p = 0;  // P(x)
        std::uint64_t y = 0;  // P(Y(x))
        std::uint64_t f = 0;  // P(F(x))
    };
    // A block as the rounds take it: the images of its halves.
    struct BlockImage {
        Image left;
        Image right;
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
    // Each of `count` images from `in` to `out` (which may be `in`): xored with the
    // enciphered image before it, `chaining` for the first, then through the layer.
    // `chaining` becomes the last.
    void encipherImages(const BlockImage* in, BlockImage* out, std::size_t count,
                        BlockImage& chaining) const;
    void fromImages(const BlockImage* in, std::size_t count, std::uint8_t* blocks) const;

    // Each block of `count` in place through the layer alone, as FeistelLayer::applyBlocks.
    void applyBlocks(std::uint8_t* blocks, std::size_t count) const;

private:
    std::unique_ptr<Layer> layer_;
};

}  // namespace vantorell::engine
