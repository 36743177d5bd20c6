#include "engine/tqmh01/KeyDerivation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/tqmh01/BuiltInKeyTexts.h"
#include "tests/support/CipherRequests.h"

namespace vantorell::engine {
namespace {

KeyDerivationInput baseInput() {
    return test::keyInput(1000, {true, true, true, true}, CipherDirection::Encipher);
}

TEST(KeyDerivationTest, BuiltInTextsHaveTheirLengths) {
    const std::size_t lengths[] = {24, 24, 29, 50, 19, 38, 45, 45, 45, 45, 45, 45, 46, 47, 35, 34};
    for (int i = 1; i <= kBuiltInKeyTextCount; ++i) {
        EXPECT_EQ(builtInKeyText(i).size(), lengths[i - 1]) << i;
    }
}

TEST(KeyDerivationTest, RefusesKeysItCannotUse) {
    struct Case {
        const char* name;
        void (*change)(KeyDerivationInput&);
    } cases[] = {
        {"empty first key", [](KeyDerivationInput& in) { in.firstKey.clear(); }},
        {"empty third key", [](KeyDerivationInput& in) { in.thirdKey.clear(); }},
        {"empty second key", [](KeyDerivationInput& in) { in.secondKey.clear(); }},
        {"second key neither given nor replaced",
         [](KeyDerivationInput& in) {
             in.secondKeyGiven = false;
             in.secondKey.clear();
         }},
        {"first key of 256", [](KeyDerivationInput& in) { in.firstKey = std::string(256, 'a'); }},
        {"tab in the third key", [](KeyDerivationInput& in) { in.thirdKey = "a\tb"; }},
        {"non-ASCII first key", [](KeyDerivationInput& in) { in.firstKey = "p\xC3\xA4ss"; }},
        // second and first key run together exceed a working text
        {"long second and first key",
         [](KeyDerivationInput& in) {
             in.secondKey = std::string(200, 's');
             in.firstKey = std::string(100, 'p');
         }},
        // escaping doubles every "~"
        {"escaped third key too long",
         [](KeyDerivationInput& in) { in.thirdKey = std::string(200, '~'); }},
        {"zero key number", [](KeyDerivationInput& in) { in.keyNumber = LongNumber{}; }},
        {"key variant 4", [](KeyDerivationInput& in) { in.keyVariant = 4; }},
    };
    for (const Case& c : cases) {
        KeyDerivationInput in = baseInput();
        c.change(in);
        EXPECT_THROW(DeriveCipherKeys(in), KeyDerivationError) << c.name;
    }
}

TEST(KeyDerivationTest, TextsThatAreReplacedMayBeEmpty) {
    KeyDerivationInput builtIn = baseInput();
    builtIn.secondKeyGiven = false;
    builtIn.secondKey.clear();
    builtIn.noSecondKey = true;
    EXPECT_NO_THROW(DeriveCipherKeys(builtIn));

    KeyDerivationInput numbered = baseInput();
    numbered.secondKeyGiven = false;
    numbered.secondKey.clear();
    numbered.keyNumber = LongNumber::fromInteger(987654321);
    EXPECT_NO_THROW(DeriveCipherKeys(numbered));
}

// Both directions draw the same chaining block and leave the key stream in the same state;
// the schedules differ only in the order of their rows.
TEST(KeyDerivationTest, BothDirectionsDeriveMatchingMaterial) {
    for (const int variant : {1, 2, 3}) {
        KeyDerivationInput in = baseInput();
        in.keyVariant = variant;
        in.keyNumber = longNumberFromText(std::string(158, 'W') + "01");  // all key branches
        const CipherKeyMaterial e = DeriveCipherKeys(in);
        in.direction = CipherDirection::Decipher;
        CipherKeyMaterial d = DeriveCipherKeys(in);
        EXPECT_EQ(e.chainingStart, d.chainingStart);
        EXPECT_EQ(e.mainLayer.sbox, d.mainLayer.sbox);
        for (int row = 0; row < kFeistelRounds; ++row) {
            for (int j = 0; j < 8; ++j) {
                EXPECT_EQ(e.mainLayer.subkeys[row * 8 + j],
                          d.mainLayer.subkeys[(15 - row) * 8 + j]);
                EXPECT_EQ(e.thirdLayer.subkeys[row * 8 + j],
                          d.thirdLayer.subkeys[(15 - row) * 8 + j]);
            }
        }
        EXPECT_TRUE(std::equal(e.byteStep.counter, e.byteStep.counter + 8, d.byteStep.counter));
        KeyStream es = e.keyStream;
        for (int i = 0; i < 100; ++i) {
            ASSERT_EQ(es.draw(), d.keyStream.draw());
        }
    }
}

TEST(KeyDerivationTest, EveryInputChangesTheMaterial) {
    const CipherKeyMaterial base = DeriveCipherKeys(baseInput());
    void (*changes[])(KeyDerivationInput&) = {
        [](KeyDerivationInput& in) { in.firstKey += "!"; },
        [](KeyDerivationInput& in) { in.secondKey += "!"; },
        [](KeyDerivationInput& in) { in.thirdKey += "!"; },
        [](KeyDerivationInput& in) { in.fileLength += 1; },
        [](KeyDerivationInput& in) { in.xConstant = 12345; },
        [](KeyDerivationInput& in) { in.keyVariant = 2; },
        [](KeyDerivationInput& in) { in.keyNumber = LongNumber::fromInteger(77); },
    };
    for (auto change : changes) {
        KeyDerivationInput in = baseInput();
        change(in);
        EXPECT_NE(DeriveCipherKeys(in).chainingStart, base.chainingStart);
    }
    // Lengths that agree in their low 24 bits seed the stream alike.
    KeyDerivationInput far = baseInput();
    far.fileLength += 1ULL << 24;
    EXPECT_EQ(DeriveCipherKeys(far).chainingStart, base.chainingStart);
}

}  // namespace
}  // namespace vantorell::engine
