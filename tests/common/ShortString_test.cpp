#include "common/ShortString.h"

#include <gtest/gtest.h>

namespace vantorell {
namespace {

TEST(ShortStringTest, CutsAtTheLimitAndAtCharacterBoundaries) {
    struct Case {
        std::string text;
        std::size_t limit;
        std::string expected;
    } cases[] = {
        {"abc", 5, "abc"},
        {"abcdef", 3, "abc"},
        {"ab\xC3\xA9", 3, "ab"},  // "é" would be split: dropped whole
        {"ab\xC3\xA9", 4, "ab\xC3\xA9"},
        {"\xE2\x82\xAC\xE2\x82\xAC", 5, "\xE2\x82\xAC"},  // two euro signs, room for one
        {"", 0, ""},
        {"ab\xF0\x9F\x98\x80", 5, "ab"},  // three bytes of a four-byte character
        {"ab\xF0\x9F\x98\x80", 6, "ab\xF0\x9F\x98\x80"},
        // Bytes that form no character are cut like others; the byte before them stays.
        {"a\x80\x80\x80\x80", 3, "a\x80\x80"},
        {"**" + std::string(80, '\x80'), 80, "**" + std::string(78, '\x80')},
        {"x\xC3", 1, "x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cutUtf8(c.text, c.limit), c.expected) << c.text << " / " << c.limit;
    }
}

TEST(ShortStringTest, TellsUtf8FromOtherBytes) {
    for (const char* text : {"", "plain",
                             "Gr\xC3\xB6\xC3\x9F"
                             "e",
                             "\xE2\x82\xAC", "\xF0\x9F\x98\x80"}) {
        EXPECT_TRUE(flgIsUtf8(text)) << text;
    }
    for (const char* text :
         {"Caf\xE9", "\x80", "\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82x"}) {
        EXPECT_FALSE(flgIsUtf8(text)) << text;
    }
}

TEST(ShortStringTest, StoredTextsAreCut) {
    ShortString<25> code = std::string(30, 'x');
    EXPECT_EQ(code.size(), 25u);
    ShortString<80> name;
    name = std::string(100, 'n');
    EXPECT_EQ(name.str(), std::string(80, 'n'));
}

}  // namespace
}  // namespace vantorell
