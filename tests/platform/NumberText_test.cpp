#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <string>

namespace vantorell {
namespace {

TEST(NumberText, DecimalNumbersTakeEitherSeparatorAndNoLocale) {
    double value = 0.0;
    EXPECT_TRUE(parseDecimalNumber(" +2,5\t", value));
    EXPECT_EQ(value, 2.5);
    // A long number with a comma is read whole, as a short one is.
    const std::string longNumber = "0," + std::string(80, '0') + "1";
    EXPECT_TRUE(parseDecimalNumber(longNumber, value));
    EXPECT_DOUBLE_EQ(value, 1e-81);
    for (const char* text : {"", "+", "inf", "-nan", "1e999", "2.5x", "++1", "1,5,0"}) {
        EXPECT_FALSE(parseDecimalNumber(text, value)) << text;
    }
}

TEST(NumberText, IntegersAreWholeAndInRange) {
    std::int64_t value = 0;
    EXPECT_TRUE(parseDecimalInteger(" -42 ", value));
    EXPECT_EQ(value, -42);
    EXPECT_TRUE(parseDecimalInteger("+7", value));
    EXPECT_EQ(value, 7);
    for (const char* text : {"", "4.3", "x", "99999999999999999999", "+-1"}) {
        EXPECT_FALSE(parseDecimalInteger(text, value)) << text;
    }
}

}  // namespace
}  // namespace vantorell
