#pragma once

#include <string>

namespace vantorell::transport {

// A date-time value (days since 30 December 1899, the time of day as the fraction) as
// "Mon, 01 Jan 2024 10:20:30", the form of the If-Modified-Since line without " GMT".
std::string RFC1123_Date(double DateTime);

}  // namespace vantorell::transport
