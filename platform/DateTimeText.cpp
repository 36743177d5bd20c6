#include "platform/DateTimeText.h"

#include <cstdio>

namespace vantorell {

std::string longTimeText(const std::tm& time) {
    const int hour12 = time.tm_hour % 12 == 0 ? 12 : time.tm_hour % 12;
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d:%02d %s", hour12, time.tm_min, time.tm_sec,
                  time.tm_hour < 12 ? "AM" : "PM");
    return text;
}

std::string shortDateLongTimeText(const std::tm& time) {
    char date[32];
    std::snprintf(date, sizeof date, "%d/%d/%d ", time.tm_mon + 1, time.tm_mday,
                  time.tm_year + 1900);
    return date + longTimeText(time);
}

std::string currentShortDateLongTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return shortDateLongTimeText(local);
}

}  // namespace vantorell
