#include "platform/DateTimeText.h"

#include <gtest/gtest.h>

#include <regex>

namespace vantorell {
namespace {

std::tm at(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

TEST(DateTimeTextTest, ShortDateAndLongTime) {
    EXPECT_EQ(shortDateLongTimeText(at(2026, 12, 10, 10, 20, 33)), "12/10/2026 10:20:33 AM");
    EXPECT_EQ(shortDateLongTimeText(at(2026, 3, 7, 0, 5, 9)), "3/7/2026 12:05:09 AM");
    EXPECT_EQ(shortDateLongTimeText(at(2026, 3, 7, 12, 0, 0)), "3/7/2026 12:00:00 PM");
    EXPECT_EQ(shortDateLongTimeText(at(2026, 1, 31, 23, 59, 59)), "1/31/2026 11:59:59 PM");
    EXPECT_TRUE(std::regex_match(currentShortDateLongTimeText(),
                                 std::regex(R"(\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d\d:\d\d [AP]M)")));
}

}  // namespace
}  // namespace vantorell
