#include "designer/rtnReaderWriter/ModelNumbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>

namespace vantorell {
namespace {

TEST(ModelNumbersTest, FloatTexts) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1250000.0, "1250000"},
        {-20000.0, "-20000"},
        {1250000.5, "1250000.5"},
        {0.1, "0.1"},
        {150000.3, "150000.3"},
        {1.0 / 3.0, "0.3333333333333333"},
        {2.0 / 3.0, "0.6666666666666666"},
        {0.0001, "0.0001"},
        {0.00001, "1e-05"},
        {1e15, "1000000000000000"},
        {1e16, "1e+16"},
        {123456789012.25, "123456789012.25"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(floatText(c.value).view(), c.text) << c.text;
    }
}

TEST(ModelNumbersTest, FloatTextsReadBackExactly) {
    std::mt19937_64 rng(7);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int checked = 0; checked < 20000;) {
        const std::uint64_t b = bits(rng);
        double value;
        std::memcpy(&value, &b, sizeof value);
        if (!std::isfinite(value))
            continue;
        const std::string text = floatText(value).str();
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
        ++checked;
    }
}

TEST(ModelNumbersTest, RoundedAndIntegerTexts) {
    EXPECT_EQ(roundedText(0.15 * 100).view(), "15");
    EXPECT_EQ(roundedText(4.9999).view(), "5");
    EXPECT_EQ(roundedText(-0.2).view(), "0");
    EXPECT_EQ(roundedText(-7.6).view(), "-8");
    EXPECT_EQ(roundedText(1e300).view(), "1e+300");
    EXPECT_EQ(integerText(0).view(), "0");
    EXPECT_EQ(integerText(-2147483648LL).view(), "-2147483648");
}

}  // namespace
}  // namespace vantorell
