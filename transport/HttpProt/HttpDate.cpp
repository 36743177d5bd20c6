#include "transport/HttpProt/HttpDate.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace vantorell::transport {
namespace {

constexpr char kDays[] = "MonTueWedThuFriSatSun";
constexpr char kMonths[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
constexpr std::int64_t kMillisecondsPerDay = 86400000;

// Year, month and day of a count of days since 1970-01-01 (proleptic Gregorian calendar).
void CivilFromDays(std::int64_t z, std::int64_t& year, unsigned& month, unsigned& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2 ? 1 : 0);
}

}  // namespace

std::string RFC1123_Date(double DateTime) {
    // The date is the whole part; the time of day is the fraction, also before 1899.
    const double whole = std::trunc(DateTime);
    auto days = static_cast<std::int64_t>(whole);
    auto milliseconds =
        static_cast<std::int64_t>(std::llround(std::fabs(DateTime - whole) * kMillisecondsPerDay));
    if (milliseconds >= kMillisecondsPerDay) {
        milliseconds = kMillisecondsPerDay - 1;
    }
    const std::int64_t weekday = (((days - 2) % 7) + 7) % 7;
    std::int64_t year = 0;
    unsigned month = 1;
    unsigned day = 1;
    CivilFromDays(days - 25569, year, month, day);  // 25569: 1970-01-01 as a date-time value
    const auto seconds = milliseconds / 1000;
    char text[64];
    std::snprintf(text, sizeof text, "%.3s, %2.2u %.3s %4.4lld %2.2lld:%2.2lld:%2.2lld",
                  kDays + weekday * 3, day, kMonths + (month - 1) * 3, static_cast<long long>(year),
                  static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

}  // namespace vantorell::transport
