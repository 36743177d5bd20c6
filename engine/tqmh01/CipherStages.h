#pragma once
// The four stages applied to the blocks and the tail of a file, in the order of the run's
// direction. Holds the chaining block, the byte-step state and the key stream of one run.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/tqmh01/ByteStep.h"
#include "engine/tqmh01/CipherRequest.h"
#include "engine/tqmh01/FeistelLayer.h"
#include "engine/tqmh01/KeyDerivation.h"
#include "engine/tqmh01/KeyStream.h"
#include "engine/tqmh01/LayerChain.h"

namespace vantorell::engine {

inline constexpr std::size_t kLongestTail = 2 * kFeistelBlock - 1;

class CipherStages {
public:
    // The material must have been derived for the same stages and direction.
    CipherStages(const CipherKeyMaterial& material, const CipherStageFlags& stages,
                 CipherDirection direction);

    // One whole block of 16 bytes, in place.
    void block(std::uint8_t* bytes);
    // `count` whole blocks one after the other, in place: as block() on each in turn.
    void blocks(std::uint8_t* bytes, std::size_t count);
    // The tail: 1..15 bytes (no whole block in the file), or 17..31 bytes, whose first and
    // last 16 bytes are enciphered as two overlapping blocks.
    void tail(std::uint8_t* bytes, std::size_t count);

    // Deciphering with the layers and without stages C and D, a block's bytes depend only on
    // it and the cipher block before it, so blocks may be deciphered apart, on any thread:
    // unlayer a block, then xor it with the cipher block before it (the chaining block for
    // the first). block() and tail() go on after such blocks once they are given the last
    // cipher block as the chaining block.
    bool blocksStandAlone() const;
    void unlayerBlocks(std::uint8_t* blocks, std::size_t count) const;
    const std::array<std::uint8_t, kFeistelBlock>& chaining() const { return chaining_; }

    // Enciphering with the main layer alone, the blocks are the chain's from the first to
    // the last, and turning them into its images and back may be done apart, on any
    // thread (then setChaining() before tail()); null for other stages.
    const LayerChain* imageChain() const;
    void setChaining(const std::uint8_t* block);

private:
    void layersForward(std::uint8_t* bytes) const;
    void layersBackward(std::uint8_t* bytes) const;
    void chain(std::uint8_t* bytes) const;
    void stepBytes(std::uint8_t* bytes, std::size_t count);
    void streamBytes(std::uint8_t* bytes, std::size_t count);

    CipherStageFlags stages_;
    CipherDirection direction_;
    FeistelLayer main_;
    FeistelLayer second_;
    FeistelLayer third_;
    std::unique_ptr<LayerChain> chain_;  // the main layer, when it is the only one
    std::array<std::uint8_t, kFeistelBlock> chaining_;
    ByteStep byteStep_;
    KeyStream stream_;
};

}  // namespace vantorell::engine
