#include "common/Scrambler.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace vantorell {
namespace {

// Known answers worked out by hand (v = code - 33, key(j) = code of key character j):
//
// "ABC", key "k" (107, K = 1): v = 32 33 34.
//   forward  v3 = (107 + 34 + 32) mod 94 = 79
//   backward v1 = (107 + 32 + 79) mod 94 = 30        -> 30 33 79 = "?Bp"
// "abcd", key "xy" (120, 121): v = 64 65 66 67.
//   forward  v3 = (key(65 mod 2 = 1) 121 + 66 + 64) mod 94 = 63
//            v4 = (key(63 mod 2 = 1) 121 + 67 + 65) mod 94 = 65
//   backward v2 = (key(63 mod 2 = 1) 121 + 65 + 65) mod 94 = 63
//            v1 = (key(63 mod 2 = 1) 121 + 64 + 63) mod 94 = 60   -> 60 63 63 65 = "]``b"
// "=!}", key "\xFF" (255): v = 28 0 92.
//   forward  v3 = (255 + 92 + 28) mod 94 = 93
//   backward v1 = (255 + 28 + 93) mod 94 = 0         -> 0 0 93 = "!!~"
//   Deciphering needs the true remainder here: v1 = 0 - 255 - 93 + 282 = -66, which is 28
//   mod 94, not -66.
// strEncrypt("a b", "k"): escaped "a`b", v = 64 63 65.
//   forward  v3 = (107 + 65 + 64) mod 94 = 48
//   backward v1 = (107 + 64 + 48) mod 94 = 31        -> 31 63 48 = "@`Q"
TEST(ScramblerTest, KnownAnswers) {
    struct Case {
        std::string plain;
        std::string key;
        std::string enciphered;
    } cases[] = {
        {"ABC", "k", "?Bp"},
        {"abcd", "xy", "]``b"},
        {"=!}", "\xFF", "!!~"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(strEncryptBlock(c.plain, c.key), c.enciphered) << c.plain;
        EXPECT_EQ(strDecryptBlock(c.enciphered, c.key), c.plain) << c.plain;
    }
    EXPECT_EQ(strEncrypt("a b", "k"), "@`Q");
    EXPECT_EQ(strDecrypt("@`Q", "k"), "a b");
}

TEST(ScramblerTest, ShortTextsAreOnlyEscaped) {
    struct Case {
        std::string plain;
        std::string enciphered;
    } cases[] = {
        {"", ""}, {" ", "`"}, {"ab", "ab"}, {"~", "~~"}, {"`", "~`"}, {"  ", "``"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(strEncrypt(c.plain, "key"), c.enciphered) << c.plain;
        EXPECT_EQ(strDecrypt(c.enciphered, "key"), c.plain) << c.plain;
    }
    // Texts of fewer than 3 characters never touch the key, so even an empty key does.
    EXPECT_EQ(strEncryptBlock("ab", ""), "ab");
}

TEST(ScramblerTest, UnescapingRules) {
    const std::string key = "Key";
    struct Case {
        std::string escaped;  // what deciphering yields before unescaping
        std::string plain;
    } cases[] = {
        {"a~", "a"},    // a "~" at the very end produces nothing
        {"~x`", "x "},  // "~" makes the next character literal; "`" is a blank
        {"~~~`", "~`"},
        {"``~``", "  ` "},
    };
    for (const Case& c : cases) {
        const std::string enciphered =
            c.escaped.size() < 3 ? c.escaped : strEncryptBlock(c.escaped, key);
        EXPECT_EQ(strDecrypt(enciphered, key), c.plain) << c.escaped;
    }
}

TEST(ScramblerTest, EscapingCostsTwoForEscapeCharactersAndOneForBlanks) {
    EXPECT_EQ(strEncrypt("a b~c`d", "k").size(), 9u);
    EXPECT_EQ(strEncrypt(std::string(300, '~'), "k").size(), 600u);
}

// Characters 33..126 that need no escaping, so the escaped length is the length.
std::string plainRun(std::size_t length) {
    std::string s;
    for (std::size_t i = 0; i < length; ++i) {
        s += static_cast<char>(33 + i % 62);
    }
    return s;
}

TEST(ScramblerTest, LongTextsAreCutIntoEvenBlocks) {
    struct Case {
        std::size_t length;
        std::vector<std::size_t> blocks;
    } cases[] = {
        {256, {256}},
        {257, {129, 128}},
        {512, {256, 256}},
        {513, {171, 171, 171}},
    };
    const std::string key = "Tm41Qe#&pL903(+!kR2V";
    for (const Case& c : cases) {
        const std::string text = plainRun(c.length);
        std::string expected;
        std::size_t at = 0;
        for (std::size_t size : c.blocks) {
            expected += strEncryptBlock(text.substr(at, size), key);
            at += size;
        }
        EXPECT_EQ(strEncrypt(text, key), expected) << c.length;
        EXPECT_EQ(strDecrypt(expected, key), text) << c.length;
    }
    // The cut goes by the escaped length: 255 characters and one "~" escape to 257.
    const std::string text = plainRun(255) + "~";
    const std::string escaped = plainRun(255) + "~~";
    EXPECT_EQ(strEncrypt(text, key), strEncryptBlock(escaped.substr(0, 129), key) +
                                         strEncryptBlock(escaped.substr(129), key));
}

TEST(ScramblerTest, RoundTripsAtEveryLength) {
    const std::string keys[] = {"k", "xy", "Tm41Qe#&pL903(+!kR2V", "\xFF\x80\x01 ~",
                                std::string(300, 'q')};
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> printable(32, 126);
    for (std::size_t length = 0; length <= 1500; ++length) {
        std::string text(length, ' ');
        for (char& c : text) {
            c = static_cast<char>(printable(random));
        }
        for (const std::string& key : keys) {
            const std::string enciphered = strEncrypt(text, key);
            ASSERT_EQ(strDecrypt(enciphered, key), text) << "length " << length;
            for (char c : enciphered) {
                ASSERT_TRUE(c >= 33 && c <= 126) << "length " << length;
            }
        }
    }
}

TEST(ScramblerTest, RefusesWhatItCannotCarry) {
    EXPECT_THROW(strEncrypt("tab\there", "k"), ScramblerError);
    EXPECT_THROW(strEncrypt("caf\xC3\xA9", "k"), ScramblerError);
    EXPECT_THROW(strEncrypt("del\x7F", "k"), ScramblerError);
    EXPECT_THROW(strDecrypt("a b c", "k"), ScramblerError);  // blanks never occur enciphered
    EXPECT_THROW(strEncryptBlock("a b", "k"), ScramblerError);
    EXPECT_THROW(strEncryptBlock(std::string(257, 'a'), "k"), ScramblerError);
    EXPECT_THROW(strDecryptBlock(std::string(257, 'a'), "k"), ScramblerError);
    EXPECT_THROW(strEncrypt("abc", ""), ScramblerError);
    EXPECT_THROW(strDecrypt("abc", ""), ScramblerError);
}

}  // namespace
}  // namespace vantorell
