#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/tqmh01/BlockLineDecoder.h"
#include "engine/tqmh01/BlockLineEncoder.h"
#include "engine/tqmh01/CipherRunError.h"

namespace vantorell::engine {
namespace {

std::string encode(const std::vector<std::uint8_t>& bytes, int* check = nullptr) {
    std::string out;
    BlockLineEncoder encoder(out);
    encoder.EncodeBlockLine(bytes.data(), bytes.size());
    encoder.FlushBlockLine();
    if (check != nullptr) {
        *check = encoder.checkValue();
    }
    return out;
}

BlockLineDecoder::LineSource linesOf(const std::string& text) {
    auto stream = std::make_shared<std::istringstream>(text);
    return [stream](std::string& line) { return static_cast<bool>(std::getline(*stream, line)); };
}

// Worked out by hand: b div 86 goes into the lead character with weights 27, 9, 3, 1,
// b mod 86 + 35 is the byte's own character.
TEST(BlockLinesTest, EncoderKnownAnswers) {
    struct Case {
        std::vector<std::uint8_t> bytes;
        std::string line;
        int check;
    } cases[] = {
        // quotients 0 0 1 2: lead 35 + 3 + 2 = 40 "("; 40^35^120^35^118 = 38
        {{0, 85, 86, 255}, " (#x#v\n", 38},
        // a group of one: lead 35 + 27 * 2 = 89 "Y", 200 - 172 + 35 = 63 "?"
        {{200}, " Y?\n", 89 ^ 63},
        // a group of three: quotients 1 2 0, lead 35 + 27 + 18 = 80 "P"
        {{86, 172, 1}, " P##$\n", 80 ^ 35 ^ 35 ^ 36},
        // five bytes: a full group and a group of one
        {{0, 0, 0, 0, 86}, " #####>#\n", 35 ^ 62 ^ 35},
        {{}, "", 0},
    };
    for (const Case& c : cases) {
        int check = -1;
        EXPECT_EQ(encode(c.bytes, &check), c.line);
        EXPECT_EQ(check, c.check);
    }
    // 64 zero bytes: one full line of 80 "#", whose characters cancel out.
    int check = -1;
    EXPECT_EQ(encode(std::vector<std::uint8_t>(64, 0), &check), " " + std::string(80, '#') + "\n");
    EXPECT_EQ(check, 0);
}

TEST(BlockLinesTest, DecoderReadsWhatTheEncoderWrote) {
    std::mt19937 rng(6);
    for (const std::size_t length : {1, 3, 4, 5, 63, 64, 65, 127, 128, 129, 1000}) {
        std::vector<std::uint8_t> bytes(length);
        for (auto& b : bytes) {
            b = static_cast<std::uint8_t>(rng());
        }
        // Pieces of odd sizes cross the line ends on both sides.
        std::string text;
        BlockLineEncoder encoder(text);
        for (std::size_t at = 0; at < length; at += 7) {
            encoder.EncodeBlockLine(bytes.data() + at, std::min<std::size_t>(7, length - at));
        }
        encoder.FlushBlockLine();

        BlockLineDecoder decoder(linesOf(text), length);
        std::vector<std::uint8_t> back(length);
        for (std::size_t at = 0; at < length; at += 13) {
            decoder.read(back.data() + at, std::min<std::size_t>(13, length - at));
        }
        EXPECT_EQ(back, bytes) << length;
        EXPECT_EQ(decoder.checkValue(), encoder.checkValue());
    }
}

TEST(BlockLinesTest, DecoderRefusesLinesThatCarryNoBytes) {
    const std::string good = encode({0, 85, 86, 255, 200});  // a group of four and one of one
    ASSERT_EQ(good, " (#x#vY?\n");
    const std::string bad[] = {
        "(#x#vY?\n",    // no leading blank
        " (#x#vY\n",    // short
        " (#x#vY??\n",  // long
        " (#x#vY!\n",   // "!" is below the body characters
        " (#x#vYy\n",   // "y" is above them
        " (#x#vZ?\n",   // lead "Z" gives a group of one the weight 1
        " (#x#wY?\n",   // 2 * 86 + 119 - 35 is above 255
        " (#x#vY?",     // fine, but the body needs a second line below
    };
    for (std::size_t i = 0; i < std::size(bad); ++i) {
        const std::uint64_t length = i + 1 == std::size(bad) ? 6 : 5;
        BlockLineDecoder decoder(linesOf(bad[i]), length);
        std::vector<std::uint8_t> out(length);
        try {
            decoder.read(out.data(), out.size());
            ADD_FAILURE() << "accepted " << bad[i];
        } catch (const CipherRunError& e) {
            EXPECT_EQ(e.outcome(), CipherOutcome::MalformedInput) << bad[i];
        }
    }
}

}  // namespace
}  // namespace vantorell::engine
