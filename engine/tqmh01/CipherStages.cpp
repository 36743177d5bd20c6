#include "engine/tqmh01/CipherStages.h"

#include <algorithm>

namespace vantorell::engine {

CipherStages::CipherStages(const CipherKeyMaterial& material, const CipherStageFlags& stages,
                           CipherDirection direction)
    : stages_(stages),
      direction_(direction),
      main_(material.mainLayer),
      second_(material.secondLayer),
      third_(material.thirdLayer),
      chaining_(material.chainingStart),
      byteStep_(material.byteStep, direction),
      stream_(material.keyStream) {
    // The second and third layers only ever follow the main layer.
    stages_.b = stages_.a && stages_.b;
    // The images' round lookups take most of the first-level cache: for one layer they
    // pay, for three they would not stay there.
    if (stages_.a && !stages_.b) {
        chain_ = std::make_unique<LayerChain>(material.mainLayer);
    }
}

bool CipherStages::blocksStandAlone() const {
    return direction_ == CipherDirection::Decipher && stages_.a && !stages_.c && !stages_.d;
}

const LayerChain* CipherStages::imageChain() const {
    const bool alone = direction_ == CipherDirection::Encipher && !stages_.c && !stages_.d;
    return alone ? chain_.get() : nullptr;
}

void CipherStages::setChaining(const std::uint8_t* block) {
    std::copy(block, block + kFeistelBlock, chaining_.begin());
}

void CipherStages::unlayerBlocks(std::uint8_t* blocks, std::size_t count) const {
    if (chain_) {
        chain_->applyBlocks(blocks, count);
        return;
    }
    if (stages_.b) {
        third_.applyBlocks(blocks, count);
        second_.applyBlocks(blocks, count);
    }
    main_.applyBlocks(blocks, count);
}

void CipherStages::layersForward(std::uint8_t* bytes) const {
    main_.apply(bytes);
    if (stages_.b) {
        second_.apply(bytes);
        third_.apply(bytes);
    }
}

void CipherStages::layersBackward(std::uint8_t* bytes) const {
    if (stages_.b) {
        third_.apply(bytes);
        second_.apply(bytes);
    }
    main_.apply(bytes);
}

void CipherStages::chain(std::uint8_t* bytes) const {
    for (std::size_t i = 0; i < kFeistelBlock; ++i) {
        bytes[i] ^= chaining_[i];
    }
}

void CipherStages::stepBytes(std::uint8_t* bytes, std::size_t count) {
    if (stages_.c) {
        for (std::size_t i = 0; i < count; ++i) {
            bytes[i] = byteStep_.apply(bytes[i]);
        }
    }
}

void CipherStages::streamBytes(std::uint8_t* bytes, std::size_t count) {
    if (stages_.d) {
        for (std::size_t i = 0; i < count; ++i) {
            bytes[i] ^= stream_.draw();
        }
    }
}

void CipherStages::block(std::uint8_t* bytes) {
    if (direction_ == CipherDirection::Encipher) {
        stepBytes(bytes, kFeistelBlock);
        if (stages_.a) {
            chain(bytes);
            layersForward(bytes);
            std::copy(bytes, bytes + kFeistelBlock, chaining_.begin());
        }
        streamBytes(bytes, kFeistelBlock);
        return;
    }
    streamBytes(bytes, kFeistelBlock);
    if (stages_.a) {
        std::array<std::uint8_t, kFeistelBlock> kept;
        std::copy(bytes, bytes + kFeistelBlock, kept.begin());
        layersBackward(bytes);
        chain(bytes);
        chaining_ = kept;
    }
    stepBytes(bytes, kFeistelBlock);
}

void CipherStages::blocks(std::uint8_t* bytes, std::size_t count) {
    if (!chain_ || direction_ != CipherDirection::Encipher) {
        for (std::size_t b = 0; b < count; ++b) {
            block(bytes + b * kFeistelBlock);
        }
        return;
    }
    // The byte stages take the bytes in the same order either way; the chaining ties each
    // block only to the one before it.
    stepBytes(bytes, count * kFeistelBlock);
    chain_->encipher(bytes, count, chaining_);
    streamBytes(bytes, count * kFeistelBlock);
}

void CipherStages::tail(std::uint8_t* bytes, std::size_t count) {
    const bool layers = stages_.a && count > kFeistelBlock;
    std::uint8_t* last = layers ? bytes + (count - kFeistelBlock) : bytes;
    if (direction_ == CipherDirection::Encipher) {
        stepBytes(bytes, count);
        if (layers) {
            chain(bytes);
            layersForward(bytes);
            std::copy(bytes, bytes + kFeistelBlock, chaining_.begin());
            layersForward(last);
        }
        streamBytes(bytes, count);
        return;
    }
    streamBytes(bytes, count);
    if (layers) {
        layersBackward(last);
        layersBackward(bytes);
        chain(bytes);
    }
    stepBytes(bytes, count);
}

}  // namespace vantorell::engine
