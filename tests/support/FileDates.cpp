#include "tests/support/FileDates.h"

#include <gtest/gtest.h>
#include <sys/time.h>

#include <ctime>

namespace vantorell::test {

void setFileDateDaysAgo(const std::string& path, int daysAgo) {
    const std::time_t now = std::time(nullptr);
    std::tm day{};
    ::localtime_r(&now, &day);
    day.tm_mday -= daysAgo;
    day.tm_hour = 12;
    day.tm_min = 0;
    day.tm_sec = 0;
    day.tm_isdst = -1;
    const std::time_t noon = std::mktime(&day);
    const timeval times[2] = {{noon, 0}, {noon, 0}};
    EXPECT_EQ(::utimes(path.c_str(), times), 0) << path;
}

}  // namespace vantorell::test
