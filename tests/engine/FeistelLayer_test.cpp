#include "engine/tqmh01/FeistelLayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "engine/tqmh01/CipherSchedule.h"
#include "engine/tqmh01/CipherStages.h"
#include "engine/tqmh01/KeyDerivation.h"
#include "engine/tqmh01/LayerChain.h"
#include "tests/support/CipherRequests.h"

namespace vantorell::engine {
namespace {

using Block = std::array<std::uint8_t, kFeistelBlock>;

CipherKey randomKey(std::mt19937& rng) {
    CipherKey key;
    for (auto& b : key) {
        b = static_cast<std::uint8_t>(rng());
    }
    return key;
}

Block randomBlock(std::mt19937& rng) {
    Block block;
    for (auto& b : block) {
        b = static_cast<std::uint8_t>(rng());
    }
    return block;
}

// The round function straight from its description: nibble bits scattered one by one,
// rows rotated byte by byte.
Block referenceLayer(Block block, const CipherSchedule& s) {
    const int first[4][2] = {{3, 1}, {4, 0}, {6, 6}, {2, 5}};
    const int second[4][2] = {{5, 3}, {7, 7}, {0, 2}, {1, 4}};
    const auto scatter = [](const int(&table)[4][2], unsigned nibble, std::uint8_t* row) {
        for (int b = 0; b < 4; ++b) {
            if ((nibble >> b) & 1U) {
                row[table[b][0]] ^= static_cast<std::uint8_t>(1U << table[b][1]);
            }
        }
    };
    std::uint8_t* left = block.data();
    std::uint8_t* right = block.data() + 8;
    for (int r = 0; r < 16; ++r) {
        std::uint8_t t[8];
        std::uint8_t a[8] = {};
        for (int m = 0; m < 8; ++m) {
            t[m] = right[m] ^ s.subkeys[r * 8 + m];
        }
        for (int m = 0; m < 8; ++m) {
            std::uint8_t row[8] = {};
            const bool lowFirst = (t[7 - m] & 8) != 0;
            scatter(first, lowFirst ? t[m] & 15U : t[m] >> 4U, row);
            scatter(second, lowFirst ? t[m] >> 4U : t[m] & 15U, row);
            for (int d = 0; d < 8; ++d) {
                a[(d + m) % 8] ^= row[d];
            }
        }
        for (int m = 0; m < 8; ++m) {
            left[m] ^= s.sbox[a[m]];
        }
        if (r < 15) {
            std::swap_ranges(left, left + 8, right);
        }
    }
    return block;
}

TEST(FeistelLayerTest, SubstitutionTableIsAPermutation) {
    std::mt19937 rng(1);
    for (int i = 0; i < 50; ++i) {
        CipherSchedule s;
        ExpandCipherKey(randomKey(rng), s, CipherDirection::Encipher);
        std::array<std::uint8_t, 256> sorted = s.sbox;
        std::sort(sorted.begin(), sorted.end());
        for (int v = 0; v < 256; ++v) {
            ASSERT_EQ(sorted[v], v);
        }
    }
}

TEST(FeistelLayerTest, DecipherScheduleRestoresTheBlock) {
    std::mt19937 rng(2);
    for (int i = 0; i < 200; ++i) {
        const CipherKey key = randomKey(rng);
        CipherSchedule forward;
        CipherSchedule backward;
        ExpandCipherKey(key, forward, CipherDirection::Encipher);
        ExpandCipherKey(key, backward, CipherDirection::Decipher);
        EXPECT_EQ(forward.sbox, backward.sbox);

        const Block plain = randomBlock(rng);
        Block block = plain;
        FeistelLayer(forward).apply(block.data());
        EXPECT_NE(block, plain);
        FeistelLayer(backward).apply(block.data());
        EXPECT_EQ(block, plain);
    }
}

TEST(FeistelLayerTest, AgreesWithTheRoundFunctionAsDescribed) {
    std::mt19937 rng(3);
    for (int i = 0; i < 100; ++i) {
        CipherSchedule s;
        ExpandCipherKey(randomKey(rng), s, CipherDirection::Encipher);
        const Block plain = randomBlock(rng);
        Block fast = plain;
        FeistelLayer(s).apply(fast.data());
        EXPECT_EQ(fast, referenceLayer(plain, s));
    }
}

// Blocks taken two at a time through the rounds come out as when taken one by one.
TEST(FeistelLayerTest, BlocksTakenTogetherAsOneByOne) {
    std::mt19937 rng(4);
    for (const CipherDirection direction : {CipherDirection::Encipher, CipherDirection::Decipher}) {
        CipherSchedule s;
        ExpandCipherKey(randomKey(rng), s, direction);
        const FeistelLayer layer(s);
        for (std::size_t count = 0; count <= 5; ++count) {
            std::vector<std::uint8_t> together(count * kFeistelBlock);
            for (auto& b : together) {
                b = static_cast<std::uint8_t>(rng());
            }
            std::vector<std::uint8_t> single = together;
            layer.applyBlocks(together.data(), count);
            for (std::size_t i = 0; i < count; ++i) {
                layer.apply(single.data() + i * kFeistelBlock);
            }
            EXPECT_EQ(together, single) << count;
        }
    }
}

std::vector<std::uint8_t> randomBytes(std::mt19937& rng, std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(rng());
    }
    return bytes;
}

// The chain over the halves' images gives every block and the last chaining block as the
// layer over the bytes does, across its batches.
TEST(FeistelLayerTest, ChainedBlocksAsBlockByBlock) {
    std::mt19937 rng(5);
    for (int key = 0; key < 3; ++key) {
        CipherSchedule s;
        ExpandCipherKey(randomKey(rng), s, CipherDirection::Encipher);
        const FeistelLayer layer(s);
        const LayerChain chain(s);
        for (const std::size_t count : {0, 1, 2, 1023, 1024, 1025, 2500}) {
            std::vector<std::uint8_t> chained = randomBytes(rng, count * kFeistelBlock);
            std::vector<std::uint8_t> layered = chained;
            Block before = randomBlock(rng);
            Block after = before;
            chain.encipher(chained.data(), count, after);
            for (std::size_t b = 0; b < count; ++b) {
                std::uint8_t* block = layered.data() + b * kFeistelBlock;
                for (int i = 0; i < kFeistelBlock; ++i) {
                    block[i] ^= before[static_cast<std::size_t>(i)];
                }
                layer.apply(block);
                std::copy(block, block + kFeistelBlock, before.begin());
            }
            EXPECT_EQ(chained, layered) << count;
            EXPECT_EQ(after, before) << count;
        }
    }
}

// Blocks apart through the images come out as FeistelLayer takes them, in both directions.
TEST(FeistelLayerTest, BlocksApartAsFeistelLayer) {
    std::mt19937 rng(7);
    for (const CipherDirection direction : {CipherDirection::Encipher, CipherDirection::Decipher}) {
        CipherSchedule s;
        ExpandCipherKey(randomKey(rng), s, direction);
        const FeistelLayer layer(s);
        const LayerChain images(s);
        for (const std::size_t count : {0, 1, 2, 3, 100}) {
            std::vector<std::uint8_t> viaImages = randomBytes(rng, count * kFeistelBlock);
            std::vector<std::uint8_t> viaBytes = viaImages;
            images.applyBlocks(viaImages.data(), count);
            layer.applyBlocks(viaBytes.data(), count);
            EXPECT_EQ(viaImages, viaBytes) << count;
        }
    }
}

// Whole blocks taken a run at a time come out as taken one by one, for every stage set
// and both directions, and the tail after them too.
TEST(FeistelLayerTest, StagesOverRunsOfBlocksAsBlockByBlock) {
    std::mt19937 rng(6);
    for (int set = 0; set < 16; ++set) {
        const CipherStageFlags stages{(set & 1) != 0, (set & 2) != 0, (set & 4) != 0,
                                      (set & 8) != 0};
        for (const CipherDirection direction :
             {CipherDirection::Encipher, CipherDirection::Decipher}) {
            const CipherKeyMaterial material =
                DeriveCipherKeys(test::keyInput(3000, stages, direction));
            CipherStages runs(material, stages, direction);
            CipherStages single(material, stages, direction);
            std::vector<std::uint8_t> together = randomBytes(rng, 187 * kFeistelBlock + 8);
            std::vector<std::uint8_t> apart = together;
            runs.blocks(together.data(), 100);
            runs.blocks(together.data() + 100 * kFeistelBlock, 86);
            runs.tail(together.data() + 186 * kFeistelBlock, kFeistelBlock + 8);
            for (std::size_t b = 0; b < 186; ++b) {
                single.block(apart.data() + b * kFeistelBlock);
            }
            single.tail(apart.data() + 186 * kFeistelBlock, kFeistelBlock + 8);
            EXPECT_EQ(together, apart) << set << " " << static_cast<int>(direction);
        }
    }
}

// Worked out with a separate model of the key expansion and the layer in Python.
TEST(FeistelLayerTest, KnownAnswers) {
    struct Case {
        CipherKey key;
        Block plain;
        Block enciphered;
    };
    Case cases[2];
    for (int i = 0; i < 16; ++i) {
        cases[0].key[i] = static_cast<std::uint8_t>(i);
        cases[0].plain[i] = static_cast<std::uint8_t>(i);
        cases[1].key[i] = static_cast<std::uint8_t>(0xFF - i);
        cases[1].plain[i] = 0x5A;
    }
    cases[0].enciphered = {0x3a, 0x19, 0x05, 0xc9, 0xe2, 0xc2, 0x24, 0x84,
                           0x2c, 0x1d, 0xdc, 0x9a, 0xe5, 0x87, 0x47, 0xde};
    cases[1].enciphered = {0x0a, 0x07, 0x50, 0x33, 0xd1, 0x06, 0x5f, 0x02,
                           0xbe, 0x1f, 0xb6, 0xee, 0xae, 0x6b, 0xaf, 0x09};
    for (const Case& c : cases) {
        CipherSchedule s;
        ExpandCipherKey(c.key, s, CipherDirection::Encipher);
        Block block = c.plain;
        FeistelLayer(s).apply(block.data());
        EXPECT_EQ(block, c.enciphered);
    }
}

}  // namespace
}  // namespace vantorell::engine
