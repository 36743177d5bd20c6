// Enciphering and deciphering real files: round trips, the layout, and known answers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "engine/tqmh01/CipherRequest.h"
#include "tests/support/CipherRequests.h"
#include "tests/support/RandomBytes.h"
#include "tests/support/TempFolder.h"

namespace vantorell::engine {
namespace {

using test::CipherKeySet;
using test::decipherRequest;
using test::encipherRequest;
using test::kLargeCipherKey;
using test::kSmallCipherKey;

class CipherRoundTrip : public ::testing::Test {
protected:
    // Enciphers `plain` into "enc", deciphers that into "dec" and gives the result.
    std::string roundTrip(const std::string& plain, const CipherKeySet* key,
                          const std::function<void(CipherRequest&)>& adjust = {}) {
        const std::string source = folder.write("plain", plain);
        CipherRequest e = encipherRequest(source, folder.file("enc"), key);
        CipherRequest d = decipherRequest(folder.file("enc"), folder.file("dec"), key);
        if (adjust) {
            adjust(e);
            adjust(d);
        }
        const CipherResult enciphered = CipherFile(e);
        EXPECT_TRUE(enciphered.ok()) << enciphered.message;
        const CipherResult deciphered = CipherFile(d);
        EXPECT_TRUE(deciphered.ok()) << deciphered.message;
        return folder.read("dec");
    }

    test::TempFolder folder;
};

TEST_F(CipherRoundTrip, BlockEdgesWithAndWithoutKeyBlock) {
    for (const CipherKeySet* key :
         {static_cast<const CipherKeySet*>(nullptr), &kSmallCipherKey, &kLargeCipherKey}) {
        for (const std::size_t size : {0, 1, 15, 16, 17, 31, 32, 33, 63, 64, 65, 4095}) {
            const std::string plain = test::randomBytes(size, static_cast<std::uint32_t>(size));
            EXPECT_EQ(roundTrip(plain, key), plain) << size << (key ? " with key block" : "");
        }
    }
}

TEST_F(CipherRoundTrip, EveryStageSet) {
    for (int stages = 0; stages < 16; ++stages) {
        for (const CipherKeySet* key :
             {static_cast<const CipherKeySet*>(nullptr), &kSmallCipherKey}) {
            for (const std::size_t size : {16, 33, 100, 1000}) {
                const std::string plain =
                    test::randomBytes(size, 100 + static_cast<unsigned>(stages));
                const std::string back = roundTrip(plain, key, [stages](CipherRequest& r) {
                    // The bits of a stage number: A 1, C 2, D 4, B 8.
                    r.automaticStages = false;
                    r.stages = {(stages & 1) != 0, (stages & 8) != 0, (stages & 2) != 0,
                                (stages & 4) != 0};
                });
                EXPECT_EQ(back, plain) << "stages " << stages << ", " << size << " bytes";
            }
        }
    }
}

// With no stage the body carries the plain bytes themselves.
TEST_F(CipherRoundTrip, NoStageWritesThePlainBytes) {
    const std::string plain(70, '\0');
    roundTrip(plain, nullptr, [](CipherRequest& r) { r.automaticStages = false; });
    const std::string enciphered = folder.read("enc");
    EXPECT_NE(
        enciphered.find("M\n " + std::string(80, '#') + "\n " + std::string(8, '#') + "\n0\n"),
        std::string::npos)
        << enciphered;
}

TEST_F(CipherRoundTrip, OutputSizeFollowsTheLayout) {
    for (const std::size_t size : {0, 1, 5, 63, 64, 65, 128, 4095}) {
        roundTrip(test::randomBytes(size, 7), nullptr);
        const std::string enciphered = folder.read("enc");
        const std::string header = "L\n" + std::to_string(size) + "\nT\n11.06.2024 10:00:00\nM\n";
        ASSERT_EQ(enciphered.substr(0, header.size()), header);
        const std::size_t rest = size % 64;
        const std::size_t body =
            size / 64 * 82 +
            (rest != 0 ? 2 + rest / 4 * 5 + (rest % 4 != 0 ? rest % 4 + 1 : 0) : 0);
        const std::size_t checkStart = header.size() + body;
        ASSERT_LE(checkStart, enciphered.size()) << size;
        const std::string check = enciphered.substr(checkStart);
        EXPECT_TRUE(check.size() >= 2 && check.size() <= 4 && check.back() == '\n' &&
                    check.find_first_not_of("0123456789\n") == std::string::npos)
            << size << ": " << check;
    }
}

TEST_F(CipherRoundTrip, CarriageReturnsBeforeLineFeedsAreRead) {
    const std::string plain = test::randomBytes(300, 3);
    roundTrip(plain, &kSmallCipherKey);
    std::string crlf;
    for (const char c : folder.read("enc")) {
        crlf += c == '\n' ? "\r\n" : std::string(1, c);
    }
    folder.write("enc", crlf);
    const CipherResult r =
        CipherFile(decipherRequest(folder.file("enc"), folder.file("dec"), &kSmallCipherKey));
    EXPECT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(folder.read("dec"), plain);
}

// Each threshold of the stage choice, one below, at and one above it, with and without a
// key block (which moves the thresholds up by 10402).
class CipherThreshold : public CipherRoundTrip,
                        public ::testing::WithParamInterface<std::tuple<std::uint64_t, bool>> {};

TEST_P(CipherThreshold, RoundTripsAroundIt) {
    const auto [threshold, withKey] = GetParam();
    const std::uint64_t at = threshold + (withKey ? 10402 : 0);
    for (const std::uint64_t size : {at - 1, at, at + 1}) {
        const std::string plain = test::randomBytes(size, static_cast<std::uint32_t>(size));
        EXPECT_TRUE(roundTrip(plain, withKey ? &kSmallCipherKey : nullptr) == plain) << size;
    }
}

INSTANTIATE_TEST_SUITE_P(StageThresholds, CipherThreshold,
                         ::testing::Combine(::testing::Values(8427, 50131, 80205, 3414206),
                                            ::testing::Bool()));

// Enciphered files worked out with a separate model of the whole cipher in Python. A
// change to any of these texts means files enciphered before no longer decipher.
const char* const kKnown1 =
    "L\n"
    "43\n"
    "T\n"
    "11.06.2024 10:00:00\n"
    "M\n"
    " jS`_qIb\\@H^S-c%HH:lIl0SB&L+$/tAtBxpP8rq5X\\?8B-N)bX2;Sg\n"
    "47\n";

const char* const kKnown2 =
    "L\n"
    "15\n"
    "T\n"
    "12.06.2024 08:30:00\n"
    "M\n"
    " l5MM^=E<W+DV'$4YL&+\n"
    "2\n";

const char* const kKnown3 =
    "L\n"
    "0\n"
    "T\n"
    "t\n"
    "M\n"
    "0\n";

const char* const kKnown4 =
    "L\n"
    "100\n"
    "T\n"
    "T4 text\n"
    "K\n"
    "02@>VVI6n9L_mb?YkM0oeY[78biETSQbkXaa2>K3>4Jn7lPi>REZ:2me`j>EMfCTRGbU^<DAfU93UkOcI<L[m:="
    "kS629SMCjk=ibbTm\\7AZQ]CA`E75WJM?o1c79]GYi1GXjf=N_@KgQ@g6b1UOF\\a60<^AXk6XU\n"
    "M\n"
    " b>X'3:HC[CkS$j`>26w4<mj,#@cXhb%@B4)N-tG(LvH;Bgj^2tS9bhw4rI7<IA@ZIr7G_oca-YO[@J^)\n"
    " \\fdsXYud_'_L^)u:i0xaT_hhG6Ci/J+;Y#+Fg/,AaP_Ya\n"
    "69\n";

const char* const kKnown5 =
    "L\n"
    "70\n"
    "T\n"
    "T5\n"
    "K\n"
    "1KY9\n"
    "M\n"
    " ^kMJgduMM;1t/5)eO<1eaGs#v(Z?o4ZhpW,'=?<8K3W9%gpKOHPF-RwoGeN>\\`47a5'dp$`X-:=J4MF4\n"
    " :9[x&5c\\\n"
    "45\n";

TEST_F(CipherRoundTrip, KnownAnswers) {
    struct Case {
        std::string plain;
        CipherRequest request;
        const char* enciphered;
    };
    std::string hundred;
    for (int i = 0; i < 100; ++i) {
        hundred += static_cast<char>(i);
    }
    const std::string plain = folder.file("plain");
    const std::string enc = folder.file("enc");

    CipherRequest mixedKeys = encipherRequest(plain, enc);
    mixedKeys.secondKey = "second key";
    CipherRequest builtIn = encipherRequest(plain, enc);
    builtIn.firstKey = "pass word";
    builtIn.secondKey.clear();
    builtIn.secondKeyGiven = false;
    builtIn.noSecondKey = true;
    builtIn.thirdKey = "12.06.2024 08:30:00";
    CipherRequest empty = encipherRequest(plain, enc);
    empty.firstKey = "pw";
    empty.secondKey = "s";
    empty.thirdKey = "t";
    CipherRequest large = encipherRequest(plain, enc, &kLargeCipherKey);
    large.firstKey = "pw4";
    large.secondKey.clear();
    large.secondKeyGiven = false;
    large.thirdKey = "T4 text";
    CipherRequest small = encipherRequest(plain, enc, &kSmallCipherKey);
    small.firstKey = "pw5";
    small.secondKey = "S5";
    small.thirdKey = "T5";
    small.automaticStages = false;
    small.stages = {true, true, false, true};

    const Case cases[] = {
        {"The quick brown fox jumps over the lazy dog", mixedKeys, kKnown1},
        {"fifteen bytes!!", builtIn, kKnown2},
        {"", empty, kKnown3},
        {hundred, large, kKnown4},
        {hundred.substr(0, 70), small, kKnown5},
    };
    for (const Case& c : cases) {
        folder.write("plain", c.plain);
        const CipherResult r = CipherFile(c.request);
        ASSERT_TRUE(r.ok()) << r.message;
        EXPECT_EQ(folder.read("enc"), c.enciphered);

        CipherRequest back = c.request;
        back.direction = CipherDirection::Decipher;
        back.sourcePath = enc;
        back.outputPath = folder.file("dec");
        back.thirdKey.clear();
        if (&c == &cases[3]) {
            back.keyExponent = kLargeCipherKey.decipherExponent;
        } else if (&c == &cases[4]) {
            back.keyExponent = kSmallCipherKey.decipherExponent;
        }
        const CipherResult d = CipherFile(back);
        ASSERT_TRUE(d.ok()) << d.message;
        EXPECT_EQ(folder.read("dec"), c.plain);
    }
}

// One rule for the second key text, with a key block or without: blanks are taken, and a
// blank makes a key of its own.
TEST_F(CipherRoundTrip, SecondKeyWithBlanksWithOrWithoutAKeyBlock) {
    const std::string plain = folder.write("plain", "blanks in the second key text, both ways");
    for (const test::CipherKeySet* key :
         {static_cast<const test::CipherKeySet*>(nullptr), &kSmallCipherKey, &kLargeCipherKey}) {
        CipherRequest forth = encipherRequest(plain, folder.file("enc"), key);
        forth.secondKey = " second  key ";
        const CipherResult e = CipherFile(forth);
        ASSERT_TRUE(e.ok()) << e.message;

        CipherRequest back = decipherRequest(folder.file("enc"), folder.file("dec"), key);
        back.secondKey = forth.secondKey;
        const CipherResult d = CipherFile(back);
        ASSERT_TRUE(d.ok()) << d.message;
        EXPECT_EQ(folder.read("dec"), folder.read("plain"));

        back.secondKey = "second key";
        ASSERT_TRUE(CipherFile(back).ok());
        EXPECT_NE(folder.read("dec"), folder.read("plain"));
    }
}

}  // namespace
}  // namespace vantorell::engine
