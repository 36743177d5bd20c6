#include "designer/rtnReaderWriter/ModelNumbers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

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

// Whole numbers and numbers of up to six decimals take a shorter way than the general
// conversion; the text must be the same, also at the edges of that way.
TEST(ModelNumbersTest, FloatTextsMatchTheGeneralConversion) {
    const auto general = [](double value) {
        char buffer[64];
        const double magnitude = std::fabs(value);
        const auto format = magnitude >= 1e-4 && magnitude < 1e16 ? std::chars_format::fixed
                                                                  : std::chars_format::scientific;
        return std::string(buffer,
                           std::to_chars(buffer, buffer + sizeof buffer, value, format).ptr);
    };
    std::vector<double> values = {8589934592.0,
                                  8589934591.999999,
                                  8589934592.000001,
                                  std::nextafter(8589934592.0, 0.0),
                                  0.0001,
                                  0.000099,
                                  std::nextafter(0.0001, 0.0),
                                  std::nextafter(0.0001, 1.0),
                                  0.000100000001,
                                  123.4560000001,
                                  1e9 + 0.5,
                                  7e15 + 1};
    std::mt19937_64 rng(11);
    std::uniform_int_distribution<long long> share(0, 1'000'000);
    std::uniform_int_distribution<long long> wide(0, 1LL << 53);
    for (int i = 0; i < 30000; ++i) {
        // Leaf values as the writer forms them: a product of shares along a path.
        const double level2 =
            1e6 * static_cast<double>(share(rng)) / 1e6 * static_cast<double>(share(rng)) / 1e6;
        values.push_back(level2);
        values.push_back(level2 * static_cast<double>(share(rng)) / 1e6);
        values.push_back(static_cast<double>(wide(rng)) / 1e6);
        values.push_back(static_cast<double>(wide(rng)));
        values.push_back(std::ldexp(static_cast<double>(wide(rng)), static_cast<int>(i % 90) - 80));
    }
    for (const double value : values) {
        if (value == 0.0) {
            continue;  // "0", see above
        }
        for (const double v : {value, -value}) {
            ASSERT_EQ(floatText(v).view(), general(v)) << std::hexfloat << v;
        }
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
