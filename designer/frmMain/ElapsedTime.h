#pragma once
// Elapsed time as the status bar shows it.

#include <chrono>
#include <string>

namespace vantorell {

// "hh:nn:ss.zzz": hours (two digits at least), minutes, seconds and milliseconds, for
// example "00:00:01.005". A negative difference counts as none.
std::string strElapsedTimeGet(std::chrono::steady_clock::time_point now,
                              std::chrono::steady_clock::time_point start);

}  // namespace vantorell
