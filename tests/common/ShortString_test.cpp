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
        {"ab\xC3\xA9", 3, "ab"},         // "é" would be split: dropped whole
        {"ab\xC3\xA9", 4, "ab\xC3\xA9"},
        {"\xE2\x82\xAC\xE2\x82\xAC", 5, "\xE2\x82\xAC"},  // two euro signs, room for one
        {"", 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cutUtf8(c.text, c.limit), c.expected) << c.text << " / " << c.limit;
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
